// When the next frame is due: never sooner than the game's shortest step after the last, and under a
// stepped game time one frame every step of the wall clock.
#pragma once

#include <cstdint>

class FramePacer {
public:
  // Milliseconds, 32 bits that wrap.
  using Clock = uint32_t (*)();

  // No game logic steps more often than this, so frames closer together change nothing in play.
  static constexpr uint32_t kShortestStepMs = 8;

  // Frames every interval of the clock (never below the shortest step). A frame that starts late
  // leaves the next one due an interval after the late one was due, so the frames keep their rate on
  // average; one that starts a whole interval late or more starts the count afresh, so no frames come
  // in a burst to catch up.
  void Pace(Clock clock, uint32_t intervalMs);
  // Frames as fast as they come: every frame is due.
  void Stop();

  bool IsPacing() const { return m_clock != nullptr; }
  uint32_t GetInterval() const { return m_interval; }
  Clock GetClock() const { return m_clock; }

  // Milliseconds until the next frame is due; 0 when it is, and always while not pacing.
  uint32_t TimeToNextFrame() const;
  // A frame starts now. The frame step calls it once the clocks have been read, so that with the
  // system clock as the clock no two frames read times closer than the shortest step.
  void FrameStarts();

private:
  Clock m_clock = nullptr;
  uint32_t m_interval = 0;
  bool m_started = false;
  uint32_t m_due = 0;
};
