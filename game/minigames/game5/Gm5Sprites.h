// The few sprite and clock steps every piece of the submarine ball game takes.
#pragma once

#include <cstdint>

#include "framework/Ambient.h"
#include "framework/GameClock.h"
#include "graphics/SceneObject.h"

namespace gm5 {

inline void SetShown(SpriteObject* object, bool shown) {
  if (!object || !object->GetSceneObject()) return;
  if (shown) {
    object->GetSceneObject()->Show();
  } else {
    object->GetSceneObject()->Hide();
  }
}

inline bool IsShown(const SpriteObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsShown();
}

inline void Animate(SpriteObject* object, uint32_t animation, int frame = 0) {
  if (object) object->SetAnimation(animation, frame);
}

// Whether now lies after the time, read across the clock's wrap.
inline bool IsPast(int32_t time) {
  return static_cast<int32_t>(static_cast<uint32_t>(GameTimeNow()) - static_cast<uint32_t>(time)) > 0;
}

}  // namespace gm5
