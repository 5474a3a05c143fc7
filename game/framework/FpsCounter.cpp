// The frame-rate counter: frames counted in groups of 10, timed against the system clock.
#include "framework/FpsCounter.h"

void FpsCounter::CountFrame(Qel::TimeSource& clock) {
  ++m_totalFrames;
  if (++m_groupFrames < kGroupSize) return;
  m_groupFrames = 0;
  const uint32_t now = clock.GetTime();
  const uint32_t elapsed = now - m_lastGroupEnd;  // wraps like the clock
  if (m_lastGroupEnd != 0 && elapsed > 0) {
    m_framesPerSecond = static_cast<float>(kGroupSize) * 1000.0f / static_cast<float>(elapsed);
  }
  m_lastGroupEnd = now;
}
