// The high-resolution performance counter, on the monotonic clock.
#pragma once

#include "platform/probe/Types.h"

namespace plat::probe {

// Nanoseconds: the frequency is 1 000 000 000 counts per second.
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// CLOCK_MONOTONIC in nanoseconds; FALSE for a null target.
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);

}  // namespace plat::probe
