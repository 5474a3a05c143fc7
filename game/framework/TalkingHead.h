// The talking head: a sprite object laid over a character's body, whose animations are mouth shapes.
#pragma once

#include "framework/SpriteObject.h"

class TalkingHead : public SpriteObject {
public:
  // On the game clock.
  TalkingHead(const char* objectName, const char* spriteName);
};
