// The overlay: a modal layer over a node's scene with its own objects, caption bar and captions.
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
class Ambient;
class CCSound;
class ClosedCaption;
class GenericObject;
class TextObject;

// While a node shows an overlay (GameNode::ShowOverlay) the game is paused and input reaches the
// overlay first; its captions follow the application clock, so they run on while the game stands.
// The overlay does not own the objects added to it; derived dialogs delete their own.
class Overlay {
public:
  static constexpr size_t kNameCapacity = 32;
  static constexpr size_t kGroupNameCapacity = 64;
  // Depths of the caption objects, just below the mouse cursor.
  static constexpr int32_t kCaptionTextDepth = 9998;
  static constexpr int32_t kCaptionBarDepth = 9997;

  // The group is named after the overlay with "OverlayGroup" appended, on draw layer 1; the hidden
  // caption objects "overlayCCtext", "overlayCCname" and "overlayCCbar" (sprite "ccBar") join it. A
  // longer name keeps its first 31 characters. Throws as SpriteObject does when "ccBar" is missing.
  explicit Overlay(const char* name);
  // Hides and deletes the caption and the caption objects, empties the group and the list.
  virtual ~Overlay();
  Overlay(const Overlay&) = delete;
  Overlay& operator=(const Overlay&) = delete;

  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Per frame while the overlay is a node's modal overlay: the object updates.
  virtual void Update();
  // Whether an active object of the overlay lies under the mouse cursor.
  virtual bool UpdateRollover();
  // Each offers the input to the objects in list order and answers whether one took it.
  virtual bool OnLeftButtonDown(const InputEventInfo& input);
  virtual bool OnLeftButtonUp(const InputEventInfo& input);
  virtual bool OnRightButtonDown(const InputEventInfo& input);
  virtual bool OnRightButtonUp(const InputEventInfo& input);
  virtual bool OnChar(uint16_t code);
  virtual bool OnKeyUp(uint16_t code);
  virtual bool OnKeyDown(uint16_t code);

  // The group joins the world of the node's scene, or leaves it.
  void AttachToScene(Qel::Scene& scene);
  void DetachFromScene(Qel::Scene& scene);

  // Attaches the object to the group and lists it; a duplicate name throws as ObjectList does.
  void AddObject(GenericObject* object);
  // Unlists the object and takes its scene object out of the group; not deleted.
  void RemoveObject(GenericObject* object);

  // Creates the caption on first use (on the application clock) and adds the caption resource of
  // that name to it; false when there is no such resource.
  bool LoadCaptions(const char* captionName);
  // A captioned, unpausable sound bound to the overlay's caption (none before LoadCaptions: it then
  // only plays). A file that does not load is replaced by "placeholder" under the same name.
  std::unique_ptr<CCSound> CreateSound(const char* name, const char* file, uint32_t captionNumber);

  const char* GetName() const { return m_name; }
  const char* GetGroupName() const { return m_groupName; }
  const std::shared_ptr<Qel::SceneObjectGroup>& GetGroup() const { return m_group; }
  ObjectList& GetObjects() { return m_objects; }
  const ObjectList& GetObjects() const { return m_objects; }
  // Null before LoadCaptions.
  ClosedCaption* GetCaption() const { return m_caption.get(); }
  TextObject* GetCaptionText() const { return m_captionText.get(); }
  TextObject* GetCaptionName() const { return m_captionName.get(); }
  Ambient* GetCaptionBar() const { return m_captionBar.get(); }

protected:
  // The per-frame update of every object, in list order; what Update does here.
  void UpdateObjects();

private:
  char m_name[kNameCapacity] = "";
  char m_groupName[kGroupNameCapacity] = "";
  ObjectList m_objects;
  std::shared_ptr<Qel::SceneObjectGroup> m_group;
  std::unique_ptr<ClosedCaption> m_caption;
  std::unique_ptr<TextObject> m_captionText;
  std::unique_ptr<TextObject> m_captionName;
  std::unique_ptr<Ambient> m_captionBar;
};
