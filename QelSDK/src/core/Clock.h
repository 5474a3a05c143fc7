// The pausable clock: another source's time, less a start time.
#pragma once

#include <cstdint>

#include "core/TimeSource.h"

namespace Qel {

class Clock : public TimeSource {
public:
  // A null source means the registered system clock. The new clock reads 0.
  explicit Clock(TimeSource* source = nullptr);
  ~Clock() override = default;
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;

  // Reads the source's live time, not its last per-frame reading.
  uint32_t GetTime() override;

  // On a paused clock the time spent paused so far is still subtracted once it resumes.
  void SetTime(uint32_t time);

  // Pausing again while paused moves the pause point: the time in between counts as running.
  void Pause(bool pause);

private:
  static constexpr uint32_t kNotPaused = 0xFFFFFFFFu;

  uint32_t SourceTime();

  TimeSource* m_source;
  uint32_t m_start = 0;
  bool m_paused = false;
  uint32_t m_pausedAt = kNotPaused;
};

}  // namespace Qel
