// The ride's small object steps that its classes share: whether an object is shown, parking it.
#pragma once

#include "framework/GenericObject.h"
#include "graphics/SceneObject.h"

namespace game7 {

inline bool IsShown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsShown();
}

// Out of sight off the screen, where nothing collides with it.
inline void Park(GenericObject* object) {
  if (object) object->SetPosition(1000.0f, 1000.0f);
}

// Motion slower than this counts as standing still.
inline constexpr float kStoppedSpeed = 5.0f;

inline bool IsStopped(const GenericObject& object) {
  return object.GetSpeed() < kStoppedSpeed;
}

}  // namespace game7
