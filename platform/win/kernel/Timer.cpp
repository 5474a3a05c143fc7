// The multimedia timer: milliseconds since an arbitrary start, cut to 32 bits and wrapping like Windows'.
#include "platform/win/kernel/Timer.h"

#include <time.h>

#include <cerrno>

namespace plat::win {
namespace {
TimeSourceFn gTestSource = nullptr;
}

uint32_t timeGetTime() {
  if (gTestSource) return gTestSource();
  return GetTickCount();
}

uint32_t GetTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms =
      static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

void Sleep(uint32_t milliseconds) {
  timespec left{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

void SetTimeSourceForTesting(TimeSourceFn source) {
  gTestSource = source;
}

}  // namespace plat::win
