// The background object: a plain sprite object on the game clock.
#pragma once

#include "framework/SpriteObject.h"

class Background : public SpriteObject {
public:
  Background(const char* objectName, const char* spriteName);
};
