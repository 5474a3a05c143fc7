// The multimedia timer: milliseconds since an arbitrary start, cut to 32 bits and wrapping like Windows'.
#pragma once

#include <cstdint>

namespace plat::win {

uint32_t timeGetTime();

// Milliseconds of the monotonic clock, like timeGetTime but never answered by the test seam below: the
// wall clock for whoever must follow real time while the game's own time is stepped.
uint32_t GetTickCount();

// Suspends the calling thread for at least that many milliseconds; a signal does not cut it short.
void Sleep(uint32_t milliseconds);

// Test seam: while set, timeGetTime answers this function instead of the monotonic clock.
using TimeSourceFn = uint32_t (*)();
void SetTimeSourceForTesting(TimeSourceFn source);

}  // namespace plat::win
