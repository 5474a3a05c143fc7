// The object list: game objects in descending depth order under names unique without regard to
// case, with the per-frame update and the input broadcasts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/InputEventInfo.h"

class GenericObject;

// The list does not own its objects. During a walk (an update or a broadcast) the object called
// may remove itself or any other object from the list; the walk goes on with the object that
// followed it. A new object's place is found by the depths the listed objects have at that moment,
// which their definition files often set after they were listed: the list learns of every change
// (DepthChanged), so that a file of thousands of objects is listed without a walk per object.
// Names are taken as they stand when an object is listed.
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

  // Called by the object whenever its depth changes, for every list that holds it.
  static void DepthChanged(const GenericObject& object);

private:
  struct Block;
  struct Link {
    Link* next;
    GenericObject* object;
    ObjectList* owner;
    Block* block;
    // The object's depth as it is now, and the key of its name.
    int32_t z;
    const std::string* name;
  };
  // A run of links in list order with the smallest depth among them, so that the place of a new
  // object passes over whole runs deeper than it.
  struct Block {
    std::vector<Link*> links;
    int32_t minZ = 0;
    size_t index = 0;
  };
  using Listings = std::unordered_multimap<const GenericObject*, Link*>;

  // Calls visit on each object until it answers true.
  template <typename Visit>
  bool Walk(Visit visit);

  // Every link of every list, by object.
  static Listings& AllListings();
  Link* LinkOf(const GenericObject* object) const;
  Link* LinkBefore(const Block& block, size_t position) const;
  void Place(Link* link);
  void PlaceAt(Block& block, size_t position, Link* link);
  void Unplace(Link* link);
  void SetDepth(Link* link, int32_t z);
  void Split(Block& block);
  void EraseBlock(size_t index);
  static void FindMin(Block& block);

  Link* m_head = nullptr;
  int32_t m_count = 0;
  // The link the running walk calls next.
  Link* m_held = nullptr;
  // The links in list order, in runs.
  std::vector<std::unique_ptr<Block>> m_blocks;
  // By name folded to lower case.
  std::unordered_map<std::string, Link*> m_names;
  // Where the last At found its run, so that a walk by index takes each run once; any change to
  // the runs forgets it.
  mutable size_t m_atBlock = 0;
  mutable size_t m_atFirst = 0;
};
