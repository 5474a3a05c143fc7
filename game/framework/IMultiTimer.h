// The listener of a multi-timer: told when it reaches a mark, starts and stops.
#pragma once

class MultiTimer;

class IMultiTimer {
public:
  virtual ~IMultiTimer() = default;

  // The timer's current index is already that of the next mark.
  virtual void OnMark(MultiTimer* timer) = 0;
  virtual void OnStart(MultiTimer* timer) = 0;
  virtual void OnStop(MultiTimer* timer) = 0;
};
