// The process-wide system clock: the source every other clock ultimately reads.
#pragma once

#include "core/TimeSource.h"

namespace Qel {

class SystemClock : public TimeSource {
public:
  SystemClock(const SystemClock&) = delete;
  SystemClock& operator=(const SystemClock&) = delete;

  // The registered clock, or null while none exists.
  static SystemClock* GetInstance();

protected:
  // Construction registers the clock; destruction withdraws it.
  SystemClock();
  ~SystemClock() override;
};

}  // namespace Qel
