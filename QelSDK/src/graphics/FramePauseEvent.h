// A frame event that holds its animation still for a random time between a minimum and a maximum.
#pragma once

#include <cstdint>

#include "core/Periodical.h"
#include "graphics/FrameEvent.h"

namespace Qel {

// Idle until fired, then ticking until the resume time it drew, then idle again. Destroying it stops
// its ticking.
class FramePauseEvent : public FrameEvent, public Periodical {
public:
  FramePauseEvent(FrameTrack* owner, int32_t minimum, int32_t maximum);

  // Pauses the owner's animation with its position moved back to the frame's start and answers true, so
  // that the track stops at this frame; false, doing nothing, without a range or an owner animation.
  bool Fire(int32_t frameStart, int32_t frameDuration, int32_t position) override;
  // Resumes the animation once its time reaches the resume time.
  int Update() override;

  bool IsPausing() const { return m_pausing; }
  uint32_t GetResumeTime() const { return m_resumeTime; }
  int32_t GetMinimum() const { return m_minimum; }
  int32_t GetMaximum() const { return m_maximum; }

private:
  int32_t m_minimum;
  int32_t m_maximum;
  // A clock time, meaningful while pausing.
  uint32_t m_resumeTime = 0;
  bool m_pausing = false;
};

}  // namespace Qel
