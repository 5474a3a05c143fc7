// The game clock.
#include "framework/GameClock.h"

#include "framework/ApplicationClock.h"

GameClock& GameClock::Instance() {
  static GameClock instance;
  return instance;
}

// Reading the application clock means a background period stops the game clock as well.
GameClock::GameClock() : Qel::Clock(&ApplicationClock::Instance()) {}

GameClock::~GameClock() = default;
