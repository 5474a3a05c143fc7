// Whether more than a given time has passed on the game clock since a start time.
#pragma once

#include <cstdint>

// True once the game clock stands more than duration milliseconds past start. The distance is taken
// with unsigned arithmetic, so the clock's wrap does not disturb it.
bool HasTimeElapsed(uint32_t start, uint32_t duration);
