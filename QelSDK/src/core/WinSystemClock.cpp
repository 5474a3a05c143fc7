// The system clock backed by the multimedia timer.
#include "core/WinSystemClock.h"

#include "platform/win/kernel/Timer.h"

namespace Qel::Win {

uint32_t WinSystemClock::GetTime() {
  return plat::win::timeGetTime();
}

}  // namespace Qel::Win
