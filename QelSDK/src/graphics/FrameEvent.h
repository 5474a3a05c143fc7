// A frame event: something that happens when a frame track reaches the frame that holds it.
#pragma once

#include <cstdint>

namespace Qel {

class FrameTrack;

class FrameEvent {
public:
  explicit FrameEvent(FrameTrack* owner = nullptr) : m_owner(owner) {}
  virtual ~FrameEvent() = default;
  FrameEvent(const FrameEvent&) = delete;
  FrameEvent& operator=(const FrameEvent&) = delete;

  // Told the frame's start and duration and the track position that reached it; true stops the track's
  // advance at this frame.
  virtual bool Fire(int32_t frameStart, int32_t frameDuration, int32_t position);

  FrameTrack* GetOwner() const { return m_owner; }

private:
  FrameTrack* m_owner;
};

}  // namespace Qel
