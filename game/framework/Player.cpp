// The player's character: a character like the others, told apart only by its class name.
#include "framework/Player.h"

Player::Player(const char* objectName, const char* spriteName) : Character(objectName, spriteName) {}
