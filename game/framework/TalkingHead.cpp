// The talking head: a sprite object laid over a character's body, whose animations are mouth shapes.
#include "framework/TalkingHead.h"

TalkingHead::TalkingHead(const char* objectName, const char* spriteName)
    : SpriteObject(objectName, spriteName, kClockGame) {}
