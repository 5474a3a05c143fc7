// When the next frame is due.
#include "framework/FramePacer.h"

#include <algorithm>

namespace {

// How far a is after b, on a clock that wraps.
int32_t After(uint32_t a, uint32_t b) {
  return static_cast<int32_t>(a - b);
}

}  // namespace

void FramePacer::Pace(Clock clock, uint32_t intervalMs) {
  m_clock = clock;
  m_interval = std::max(intervalMs, kShortestStepMs);
  m_started = false;
}

void FramePacer::Stop() {
  m_clock = nullptr;
  m_interval = 0;
  m_started = false;
}

uint32_t FramePacer::TimeToNextFrame() const {
  if (!m_clock || !m_started) return 0;
  const int32_t left = After(m_due, m_clock());
  return left > 0 ? static_cast<uint32_t>(left) : 0;
}

void FramePacer::FrameStarts() {
  if (!m_clock) return;
  const uint32_t now = m_clock();
  const auto interval = static_cast<int32_t>(m_interval);
  uint32_t next = m_due + m_interval;
  // Afresh after a frame a whole interval late, and never more than an interval ahead (a frame run
  // before it was due).
  if (!m_started || After(now, m_due) >= interval || After(next, now) > interval) next = now + m_interval;
  if (After(next, now) < static_cast<int32_t>(kShortestStepMs)) next = now + kShortestStepMs;
  m_due = next;
  m_started = true;
}
