// One timed strand of an animation.
#include "graphics/AnimationTrack.h"

#include "graphics/Animation.h"

namespace Qel {

void AnimationTrack::OnAttach(Animation*) {}

void AnimationTrack::OnDetach() {}

void AnimationTrack::Rewind() {}

void AnimationTrack::SetPaused(bool) {}

void AnimationTrack::Reset() {}

int AnimationTrack::Update(int32_t) {
  return -1;
}

void AnimationTrack::Draw(DrawingSurface&, const Rect*, const Point2&) {}

void AnimationTrack::ShiftStart(int32_t milliseconds) {
  if (m_animation) m_animation->ShiftStart(milliseconds);
}

void AnimationTrack::GetBounds(Rect& out) const {
  out.Clear();
}

void AnimationTrack::SetAnimation(Animation* animation) {
  if (animation == m_animation) return;
  if (m_animation) m_animation->RemoveTrack(this);
  m_animation = animation;
  OnAttach(animation);
}

void AnimationTrack::DetachFromAnimation() {
  if (m_animation == nullptr) return;
  OnDetach();
  m_animation = nullptr;
}

}  // namespace Qel
