// The heads-up display: a non-modal layer of controls over a node's scene during play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/InputEventInfo.h"
#include "framework/ObjectList.h"

namespace Qel {
class Scene;
class SceneObjectGroup;
}  // namespace Qel
class GenericObject;

// A node shows it with GameNode::ShowHud; it then gets input after the modal overlay and before the
// node's objects, its per-frame update, and is hidden while a movie plays. The HUD does not own its
// objects.
class Hud {
public:
  static constexpr size_t kNameCapacity = 32;
  static constexpr size_t kGroupNameCapacity = 64;

  // The group is named after the HUD with "HudGroup" appended, on draw layer 1; the HUD starts
  // visible. A longer name keeps its first 31 characters.
  explicit Hud(const char* name);
  // Empties the group and the list.
  virtual ~Hud();
  Hud(const Hud&) = delete;
  Hud& operator=(const Hud&) = delete;

  // Each changes only a HUD that is not in that state already.
  virtual void Show();
  virtual void Hide();
  // While visible: whether an active object of the HUD lies under the mouse cursor; false while
  // hidden.
  virtual bool UpdateRollover();
  // The per-frame update of every object, in list order.
  virtual void UpdateObjects();
  // Each offers the input to the objects in list order and answers whether one took it.
  virtual bool OnLeftButtonDown(const InputEventInfo& input);
  virtual bool OnLeftButtonUp(const InputEventInfo& input);
  virtual bool OnRightButtonDown(const InputEventInfo& input);
  virtual bool OnRightButtonUp(const InputEventInfo& input);
  virtual bool OnChar(uint16_t code);
  virtual bool OnKeyUp(uint16_t code);
  virtual bool OnKeyDown(uint16_t code);
  // Whether the HUD takes a click of one of its objects (event 101/10100), which then goes no
  // further; never here.
  virtual bool OnObjectClicked(GenericObject* object);

  void AttachToScene(Qel::Scene& scene);
  void DetachFromScene(Qel::Scene& scene);
  // Attaches the object to the group and lists it; a duplicate name throws as ObjectList does.
  void AddObject(GenericObject* object);
  // Unlists the object and takes its scene object out of the group; not deleted.
  void RemoveObject(GenericObject* object);

  bool IsVisible() const { return m_visible; }
  const char* GetName() const { return m_name; }
  const char* GetGroupName() const { return m_groupName; }
  const std::shared_ptr<Qel::SceneObjectGroup>& GetGroup() const { return m_group; }
  ObjectList& GetObjects() { return m_objects; }
  const ObjectList& GetObjects() const { return m_objects; }

private:
  char m_name[kNameCapacity] = "";
  char m_groupName[kGroupNameCapacity] = "";
  ObjectList m_objects;
  std::shared_ptr<Qel::SceneObjectGroup> m_group;
  bool m_visible = true;
};
