// Whether more than a given time has passed on the game clock since a start time.
#include "framework/HasTimeElapsed.h"

#include "framework/GameClock.h"

bool HasTimeElapsed(uint32_t start, uint32_t duration) {
  return GameClock::Instance().GetTime() - start > duration;
}
