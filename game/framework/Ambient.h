// The ambient object: a plain sprite object of an object-definition file.
#pragma once

#include "framework/SpriteObject.h"

class Ambient : public SpriteObject {
public:
  Ambient(const char* objectName, const char* spriteName, int clockKind);
};
