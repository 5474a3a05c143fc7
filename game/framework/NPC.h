// The non-player character: a character the rooms and games speak through.
#pragma once

#include "framework/Character.h"

class NPC : public Character {
public:
  NPC(const char* objectName, const char* spriteName);
};
