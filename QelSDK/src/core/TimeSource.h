// The time source: anything that tells the current time in wrapping 32-bit milliseconds.
#pragma once

#include <cstdint>

namespace Qel {

class TimeSource {
public:
  virtual ~TimeSource() = default;

  // Milliseconds; differences must be taken with unsigned arithmetic, since the count wraps.
  virtual uint32_t GetTime() = 0;

  // Reads the time once and keeps it, so that everything timed in one frame sees the same "now".
  uint32_t Update();
  uint32_t GetLastTime() const { return m_lastTime; }

private:
  uint32_t m_lastTime = 0;
};

}  // namespace Qel
