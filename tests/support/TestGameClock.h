// The game clock under a test's hand: it moves only when the test moves it.
#pragma once

#include <cstdint>

#include "framework/GameClock.h"
#include "platform/win/kernel/Timer.h"

namespace test {

// While one exists, the timer under the program's clocks stands still, so the game clock reads
// exactly what the test set, plus what it advanced since.
class TestGameClock {
public:
  explicit TestGameClock(uint32_t now = 0) {
    plat::win::SetTimeSourceForTesting(&Timer);
    Set(now);
  }
  ~TestGameClock() { plat::win::SetTimeSourceForTesting(nullptr); }
  TestGameClock(const TestGameClock&) = delete;
  TestGameClock& operator=(const TestGameClock&) = delete;

  void Set(uint32_t now) { GameClock::Instance().SetTime(now); }
  void Advance(uint32_t milliseconds) { s_timer += milliseconds; }
  uint32_t Now() const { return GameClock::Instance().GetTime(); }

private:
  static uint32_t Timer() { return s_timer; }

  static inline uint32_t s_timer = 1000;
};

}  // namespace test
