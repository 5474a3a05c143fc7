// The game clock: application time that also stops while the game is paused.
#pragma once

#include <cstdint>

#include "core/Clock.h"

class GameClock : public Qel::Clock {
public:
  // Built on first use over the application clock (building that too); destroyed at exit.
  static GameClock& Instance();

  ~GameClock() override;

private:
  GameClock();
};

// The game clock's time in the signed milliseconds the nodes keep their times in: a difference of two
// of them reads right across the clock's wrap, and a negative time can stand for one not set.
inline int32_t GameTimeNow() {
  return static_cast<int32_t>(GameClock::Instance().GetTime());
}
