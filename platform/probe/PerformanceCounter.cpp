// The high-resolution performance counter, on the monotonic clock.
#include "platform/probe/PerformanceCounter.h"

#include <time.h>

namespace plat::probe {

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  frequency->QuadPart = 1000000000;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  timespec now{};
  if (!count || clock_gettime(CLOCK_MONOTONIC, &now) != 0) return FALSE;
  count->QuadPart = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
  return TRUE;
}

}  // namespace plat::probe
