// The player's character: a character like the others, told apart only by its class name.
#pragma once

#include "framework/Character.h"

class Player : public Character {
public:
  Player(const char* objectName, const char* spriteName);
};
