// The system clock backed by the multimedia timer.
#pragma once

#include "core/SystemClock.h"

namespace Qel::Win {

class WinSystemClock : public SystemClock {
public:
  WinSystemClock() = default;
  ~WinSystemClock() override = default;

  // Milliseconds of the multimedia timer; wraps after about 49.7 days.
  uint32_t GetTime() override;
};

}  // namespace Qel::Win
