// The vanishing click point: a clickable spot that plays its reaction once and disappears.
#include "framework/VanishingClickPoint.h"

#include "graphics/SceneObject.h"

VanishingClickPoint::VanishingClickPoint(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {
  SetRolloverCursor(1);
  SetZ(1);
}

bool VanishingClickPoint::OnLeftButtonUp(const InputEventInfo& input) {
  if (!Clickable::OnLeftButtonUp(input)) return false;
  SetAnimation(1, 0);
  return true;
}

bool VanishingClickPoint::OnAnimationEnded() {
  if (GetAnimationId() != 1) return false;
  if (GetSceneObject()) GetSceneObject()->Hide();
  return true;
}
