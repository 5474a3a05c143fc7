// The button series: shows exactly one object of a series at a time, and steps through them.
#include "framework/ButtonSeries.h"

#include <algorithm>

#include "framework/GenericObject.h"
#include "graphics/SceneObject.h"

namespace {

void SetShown(GenericObject& object, bool shown) {
  Qel::SceneObject* scene = object.GetSceneObject().get();
  if (!scene) return;
  if (shown) {
    scene->Show();
  } else {
    scene->Hide();
  }
}

bool IsShown(const GenericObject& object) {
  const Qel::SceneObject* scene = object.GetSceneObject().get();
  return scene && scene->IsShown();
}

}  // namespace

ButtonSeries::~ButtonSeries() = default;

bool ButtonSeries::Add(GenericObject* object) {
  if (!object) return false;
  SetShown(*object, m_objects.empty());
  m_objects.push_back(object);
  return true;
}

bool ButtonSeries::Remove(GenericObject* object) {
  const auto found = std::find(m_objects.begin(), m_objects.end(), object);
  if (found == m_objects.end()) return false;
  m_objects.erase(found);
  return true;
}

int32_t ButtonSeries::GetVisibleIndex() {
  for (size_t i = 0; i < m_objects.size(); ++i) {
    if (IsShown(*m_objects[i])) return static_cast<int32_t>(i);
  }
  return -1;
}

GenericObject* ButtonSeries::GetVisible() {
  const int32_t index = GetVisibleIndex();
  return index < 0 ? nullptr : m_objects[static_cast<size_t>(index)];
}

bool ButtonSeries::Advance(GenericObject* object) {
  const auto found = std::find(m_objects.begin(), m_objects.end(), object);
  if (found == m_objects.end() || !IsShown(**found)) return false;
  SetShown(**found, false);
  const auto next = found + 1 == m_objects.end() ? m_objects.begin() : found + 1;
  SetShown(**next, true);
  return true;
}
