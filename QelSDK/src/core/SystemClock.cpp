// The registration of the process-wide system clock.
#include "core/SystemClock.h"

namespace Qel {
namespace {
SystemClock* gInstance = nullptr;
}

SystemClock* SystemClock::GetInstance() {
  return gInstance;
}

SystemClock::SystemClock() {
  gInstance = this;
}

SystemClock::~SystemClock() {
  // A clock that was superseded must not withdraw its successor.
  if (gInstance == this) gInstance = nullptr;
}

}  // namespace Qel
