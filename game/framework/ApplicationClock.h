// The application clock: system time that stops while the application is in the background.
#pragma once

#include "core/Clock.h"

class ApplicationClock : public Qel::Clock {
public:
  // Built on first use over the system clock; destroyed at exit.
  static ApplicationClock& Instance();

  ~ApplicationClock() override;

private:
  ApplicationClock();
};
