// The vanishing click point: a clickable spot that plays its reaction once and disappears.
#pragma once

#include "framework/Clickable.h"

// Plays animation 1 once when clicked and then disappears.
class VanishingClickPoint : public Clickable {
public:
  // Rollover cursor 1, depth 1.
  VanishingClickPoint(const char* objectName, const char* spriteName, int clockKind);

  bool OnLeftButtonUp(const InputEventInfo& input) override;
  // The end of animation 1 hides the object; no end event is posted for it.
  bool OnAnimationEnded() override;
};
