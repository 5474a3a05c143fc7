// The clock side of an animation: which time source it reads, and whether it takes the frame's time.
#pragma once

#include <cstdint>

namespace Qel {

class TimeSource;

class Temporal {
public:
  // A null clock means the system clock.
  Temporal(TimeSource* clock, bool useFrameTime) : m_clock(clock), m_useFrameTime(useFrameTime) {}
  virtual ~Temporal() = default;

  // With frame time, the time the clock stored at its last per-frame update, so that everything timed in
  // one frame sees the same "now"; else the clock's live time. 0 when there is no clock at all.
  uint32_t GetTime() const;

  TimeSource* GetClock() const { return m_clock; }
  bool UsesFrameTime() const { return m_useFrameTime; }

private:
  TimeSource* m_clock;
  bool m_useFrameTime;
};

}  // namespace Qel
