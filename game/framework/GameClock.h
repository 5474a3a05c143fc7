// The game clock: application time that also stops while the game is paused.
#pragma once

#include "core/Clock.h"

class GameClock : public Qel::Clock {
public:
  // Built on first use over the application clock (building that too); destroyed at exit.
  static GameClock& Instance();

  ~GameClock() override;

private:
  GameClock();
};
