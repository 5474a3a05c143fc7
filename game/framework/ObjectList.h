// The object list: game objects in descending depth order under names unique without regard to
// case, with the per-frame update and the input broadcasts.
#pragma once

#include <cstdint>

#include "framework/InputEventInfo.h"

class GenericObject;

// The list does not own its objects. During a walk (an update or a broadcast) the object called
// may remove itself or any other object from the list; the walk goes on with the object that
// followed it.
class ObjectList {
public:
  ObjectList() = default;
  // Frees the links only.
  ~ObjectList();
  ObjectList(const ObjectList&) = delete;
  ObjectList& operator=(const ObjectList&) = delete;

  // In front of every object of equal or smaller depth. A name already listed, in any case,
  // throws "Error: Object with duplicate name '%s'\n" with the new object's name, as a C string,
  // and leaves the list as it was.
  void Insert(GenericObject* object);
  // An object that is not listed changes nothing.
  void Remove(GenericObject* object);
  // Without regard to case; null for a null name.
  GenericObject* Find(const char* name) const;
  // From 0 in list order; null past the end.
  GenericObject* At(int32_t index) const;
  int32_t GetCount() const { return m_count; }
  void Clear();

  void UpdateAll();
  // The first object in list order that is active (GenericObject::IsActive) and hit at the screen
  // point; null when none is. Nodes, overlays and HUDs choose the cursor by it.
  GenericObject* FindActiveAt(int32_t x, int32_t y);
  // Each stops at the first object that takes the input and answers whether one did.
  bool BroadcastLeftButtonDown(const InputEventInfo& input);
  bool BroadcastLeftButtonUp(const InputEventInfo& input);
  bool BroadcastRightButtonDown(const InputEventInfo& input);
  bool BroadcastRightButtonUp(const InputEventInfo& input);
  bool BroadcastChar(uint16_t code);
  bool BroadcastKeyUp(uint16_t code);
  bool BroadcastKeyDown(uint16_t code);

private:
  struct Link {
    Link* next;
    GenericObject* object;
  };

  // Calls visit on each object until it answers true.
  template <typename Visit>
  bool Walk(Visit visit);

  Link* m_head = nullptr;
  int32_t m_count = 0;
  // The link the running walk calls next.
  Link* m_held = nullptr;
};
