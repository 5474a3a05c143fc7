// The frame-rate counter: frames counted in groups of 10, timed against the system clock.
#pragma once

#include <cstdint>

#include "core/TimeSource.h"

class FpsCounter {
public:
  static constexpr uint32_t kGroupSize = 10;

  // Reads the clock only at the end of each group, to keep clock reads out of the common path.
  void CountFrame(Qel::TimeSource& clock);

  uint32_t GetTotalFrames() const { return m_totalFrames; }
  // 0 until two group ends lie at least 1 ms apart.
  float GetFramesPerSecond() const { return m_framesPerSecond; }

private:
  uint32_t m_totalFrames = 0;
  uint32_t m_groupFrames = 0;
  uint32_t m_lastGroupEnd = 0;  // 0: none yet
  float m_framesPerSecond = 0.0f;
};
