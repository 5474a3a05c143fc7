// The heads-up display: a non-modal layer of controls over a node's scene during play.
#include "framework/Hud.h"

#include <cstdio>

#include "framework/GenericObject.h"
#include "framework/MouseCursor.h"
#include "graphics/Scene.h"
#include "graphics/SceneObjectGroup.h"

Hud::Hud(const char* name) {
  if (!name) name = "";
  std::snprintf(m_name, sizeof m_name, "%s", name);
  std::snprintf(m_groupName, sizeof m_groupName, "%sHudGroup", m_name);
  m_group = std::make_shared<Qel::SceneObjectGroup>();
  m_group->SetName(m_groupName);
  m_group->SetLayer(1);
}

Hud::~Hud() {
  m_group->RemoveAllChildren();
  m_group.reset();
  m_objects.Clear();
}

void Hud::Show() {
  if (m_visible) return;
  m_visible = true;
  m_group->Show();
}

void Hud::Hide() {
  if (!m_visible) return;
  m_visible = false;
  m_group->Hide();
}

bool Hud::UpdateRollover() {
  if (!m_visible) return false;
  Qel::Point2 at;
  MouseCursor::Instance().GetPosition(at);
  return m_objects.FindActiveAt(at.X(), at.Y()) != nullptr;
}

void Hud::UpdateObjects() {
  m_objects.UpdateAll();
}

bool Hud::OnLeftButtonDown(const InputEventInfo& input) {
  return m_objects.BroadcastLeftButtonDown(input);
}

bool Hud::OnLeftButtonUp(const InputEventInfo& input) {
  return m_objects.BroadcastLeftButtonUp(input);
}

bool Hud::OnRightButtonDown(const InputEventInfo& input) {
  return m_objects.BroadcastRightButtonDown(input);
}

bool Hud::OnRightButtonUp(const InputEventInfo& input) {
  return m_objects.BroadcastRightButtonUp(input);
}

bool Hud::OnChar(uint16_t code) {
  return m_objects.BroadcastChar(code);
}

bool Hud::OnKeyUp(uint16_t code) {
  return m_objects.BroadcastKeyUp(code);
}

bool Hud::OnKeyDown(uint16_t code) {
  return m_objects.BroadcastKeyDown(code);
}

bool Hud::OnObjectClicked(GenericObject*) {
  return false;
}

void Hud::AttachToScene(Qel::Scene& scene) {
  scene.GetWorld().AddChild(m_group);
}

void Hud::DetachFromScene(Qel::Scene& scene) {
  scene.GetWorld().RemoveChild(m_groupName);
}

void Hud::AddObject(GenericObject* object) {
  if (!object) return;
  m_objects.Insert(object);
  object->AttachToGroup(m_group);
}

void Hud::RemoveObject(GenericObject* object) {
  if (!object) return;
  m_objects.Remove(object);
  const std::shared_ptr<Qel::SceneObject>& sceneObject = object->GetSceneObject();
  if (sceneObject && sceneObject->GetParent() == m_group.get()) m_group->RemoveChild(sceneObject->GetName());
}
