// The overlay: a modal layer over a node's scene with its own objects, caption bar and captions.
#include "framework/Overlay.h"

#include <cstdio>
#include <cstring>

#include "core/Color.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/ClosedCaption.h"
#include "framework/MouseCursor.h"
#include "framework/TextObject.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"
#include "graphics/StaticText.h"

namespace {

constexpr int32_t kCaptionStyle = 2;
constexpr int32_t kCaptionFontSize = 14;
constexpr int32_t kAlignRight = 2;

void SetUpCaptionText(TextObject& text, int32_t width, int32_t height) {
  Qel::StaticText* box = text.GetTextBox();
  box->SetFontName("Arial");
  box->SetStyle(kCaptionStyle);
  box->SetFontSize(kCaptionFontSize);
  text.SetColor(Qel::Color(255, 255, 255, 255));
  text.SetSize(width, height);
}

}  // namespace

Overlay::Overlay(const char* name) {
  if (!name) name = "";
  std::snprintf(m_name, sizeof m_name, "%s", name);
  std::snprintf(m_groupName, sizeof m_groupName, "%sOverlayGroup", m_name);
  m_group = std::make_shared<Qel::SceneObjectGroup>();
  m_group->SetName(m_groupName);
  m_group->SetLayer(1);

  m_captionText = std::make_unique<TextObject>("overlayCCtext", "courier", 10);
  m_captionText->SetPositionAndZ(120, 0, kCaptionTextDepth);
  SetUpCaptionText(*m_captionText, 680, 40);
  m_captionText->GetSceneObject()->Hide();

  m_captionName = std::make_unique<TextObject>("overlayCCname", "courier", 10);
  m_captionName->SetPositionAndZ(0, 0, kCaptionTextDepth);
  SetUpCaptionText(*m_captionName, 100, 40);
  m_captionName->GetTextBox()->SetAlignment(kAlignRight);
  m_captionName->GetSceneObject()->Hide();

  m_captionBar = std::make_unique<Ambient>("overlayCCbar", "ccBar", SpriteObject::kClockApplication);
  m_captionBar->SetPositionAndZ(0, 0, kCaptionBarDepth);
  m_captionBar->GetSceneObject()->Hide();

  AddObject(m_captionText.get());
  AddObject(m_captionName.get());
  AddObject(m_captionBar.get());
}

Overlay::~Overlay() {
  if (m_caption) m_caption->Hide();
  m_caption.reset();
  // The list is cleared below; nothing walks it until then.
  m_captionBar.reset();
  m_captionText.reset();
  m_captionName.reset();
  m_group->RemoveAllChildren();
  m_group.reset();
  m_objects.Clear();
}

void Overlay::Update() {
  UpdateObjects();
}

void Overlay::UpdateObjects() {
  m_objects.UpdateAll();
}

bool Overlay::UpdateRollover() {
  Qel::Point2 at;
  MouseCursor::Instance().GetPosition(at);
  return m_objects.FindActiveAt(at.X(), at.Y()) != nullptr;
}

bool Overlay::OnLeftButtonDown(const InputEventInfo& input) {
  return m_objects.BroadcastLeftButtonDown(input);
}

bool Overlay::OnLeftButtonUp(const InputEventInfo& input) {
  return m_objects.BroadcastLeftButtonUp(input);
}

bool Overlay::OnRightButtonDown(const InputEventInfo& input) {
  return m_objects.BroadcastRightButtonDown(input);
}

bool Overlay::OnRightButtonUp(const InputEventInfo& input) {
  return m_objects.BroadcastRightButtonUp(input);
}

bool Overlay::OnChar(uint16_t code) {
  return m_objects.BroadcastChar(code);
}

bool Overlay::OnKeyUp(uint16_t code) {
  return m_objects.BroadcastKeyUp(code);
}

bool Overlay::OnKeyDown(uint16_t code) {
  return m_objects.BroadcastKeyDown(code);
}

void Overlay::AttachToScene(Qel::Scene& scene) {
  scene.GetWorld().AddChild(m_group);
}

void Overlay::DetachFromScene(Qel::Scene& scene) {
  scene.GetWorld().RemoveChild(m_groupName);
}

void Overlay::AddObject(GenericObject* object) {
  if (!object) return;
  // Listed first: a duplicate name throws before the group changes.
  m_objects.Insert(object);
  object->AttachToGroup(m_group);
}

void Overlay::RemoveObject(GenericObject* object) {
  if (!object) return;
  m_objects.Remove(object);
  const std::shared_ptr<Qel::SceneObject>& sceneObject = object->GetSceneObject();
  if (sceneObject && sceneObject->GetParent() == m_group.get()) m_group->RemoveChild(sceneObject->GetName());
}

bool Overlay::LoadCaptions(const char* captionName) {
  if (!m_caption)
    m_caption =
        std::make_unique<ClosedCaption>(m_captionBar.get(), m_captionName.get(), m_captionText.get(), false);
  return m_caption->Load(captionName);
}

std::unique_ptr<CCSound> Overlay::CreateSound(const char* name, const char* file, uint32_t captionNumber) {
  auto sound = std::make_unique<CCSound>(name, file, m_caption.get(), captionNumber, false, false);
  const Qel::Sound* engine = sound->GetEngineSound();
  if (engine && engine->IsLoaded()) return sound;
  sound.reset();
  return std::make_unique<CCSound>(name, "placeholder", m_caption.get(), captionNumber, false, false);
}
