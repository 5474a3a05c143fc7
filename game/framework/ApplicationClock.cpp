// The application clock, and the program's one system clock it reads.
#include "framework/ApplicationClock.h"

#include "core/WinSystemClock.h"

namespace {
// Built before the program's entry runs and kept to exit, so that the system clock is registered for
// the whole run. It lives beside the application clock so that it comes with the framework.
Qel::Win::WinSystemClock gSystemClock;
}  // namespace

ApplicationClock& ApplicationClock::Instance() {
  static ApplicationClock instance;
  return instance;
}

// A null source means the registered system clock.
ApplicationClock::ApplicationClock() : Qel::Clock(nullptr) {}

ApplicationClock::~ApplicationClock() = default;
