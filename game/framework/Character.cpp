// The character: a clickable sprite object that serves as a speaking character's body.
#include "framework/Character.h"

Character::Character(const char* objectName, const char* spriteName)
    : Clickable(objectName, spriteName, kClockGame) {}
