// A frame event that pauses its animation for a random time.
#include "graphics/FramePauseEvent.h"

#include "graphics/Animation.h"
#include "graphics/FrameTrack.h"
#include "platform/win/kernel/Random.h"

namespace Qel {
namespace {

Animation* AnimationOf(const FrameEvent& event) {
  FrameTrack* track = event.GetOwner();
  return track ? track->GetAnimation() : nullptr;
}

}  // namespace

FramePauseEvent::FramePauseEvent(FrameTrack* owner, int32_t minimum, int32_t maximum)
    : FrameEvent(owner), m_minimum(minimum), m_maximum(maximum) {}

bool FramePauseEvent::Fire(int32_t frameStart, int32_t, int32_t position) {
  if (m_maximum <= m_minimum) return false;
  Animation* animation = AnimationOf(*this);
  if (animation == nullptr) return false;
  const int64_t range = static_cast<int64_t>(m_maximum) - m_minimum + 1;
  const int64_t wait = m_minimum + plat::win::rand() % range;
  m_resumeTime = animation->GetTime() + static_cast<uint32_t>(wait);
  m_pausing = true;
  // Everything is in place before the animation tells its observers, any of which may release it, and
  // this event with it.
  animation->AddPausedTime(position - frameStart);
  Start();
  animation->SetPaused(true);
  return true;
}

int FramePauseEvent::Update() {
  Animation* animation = AnimationOf(*this);
  if (animation == nullptr) return 0;
  if (static_cast<int32_t>(animation->GetTime() - m_resumeTime) < 0) return 0;
  m_pausing = false;
  Stop();
  animation->SetPaused(false);
  return 0;
}

}  // namespace Qel
