// The pausable clock.
#include "core/Clock.h"

#include "core/SystemClock.h"
#include "core/Trace.h"

namespace Qel {

Clock::Clock(TimeSource* source) : m_source(source ? source : SystemClock::GetInstance()) {
  if (!m_source) Trace("WARN: clock built without a time source; it stands at 0\n");
  m_start = SourceTime();
}

// Without a source (no system clock registered yet) the clock stands still rather than failing.
uint32_t Clock::SourceTime() {
  return m_source ? m_source->GetTime() : 0;
}

uint32_t Clock::GetTime() {
  return (m_paused ? m_pausedAt : SourceTime()) - m_start;
}

void Clock::SetTime(uint32_t time) {
  m_start = SourceTime() - time;
}

void Clock::Pause(bool pause) {
  if (pause) {
    m_pausedAt = SourceTime();
    m_paused = true;
  } else if (m_paused) {
    m_start += SourceTime() - m_pausedAt;
    m_paused = false;
    m_pausedAt = kNotPaused;
  }
}

}  // namespace Qel
