// The character: a clickable sprite object that serves as a speaking character's body.
#pragma once

#include "framework/Clickable.h"

// Its poses are the animations a CharacterAnimator switches between; the object itself adds
// nothing to the clickable.
class Character : public Clickable {
public:
  // On the game clock.
  Character(const char* objectName, const char* spriteName);
};
