// The background object: a plain sprite object on the game clock.
#include "framework/Background.h"

Background::Background(const char* objectName, const char* spriteName)
    : SpriteObject(objectName, spriteName, kClockGame) {}
