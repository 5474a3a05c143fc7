// The ambient object: a plain sprite object of an object-definition file.
#include "framework/Ambient.h"

Ambient::Ambient(const char* objectName, const char* spriteName, int clockKind)
    : SpriteObject(objectName, spriteName, clockKind) {}
