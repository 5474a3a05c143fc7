// The player's turtle, which also holds the game's state number.
#include "game7/Game7MainTurtle.h"

#include "framework/SpriteObject.h"

Game7Node::MainTurtle::MainTurtle() : Ambient(kName, kSprite, SpriteObject::kClockGame) {}

Game7Node::MainTurtle::~MainTurtle() = default;
