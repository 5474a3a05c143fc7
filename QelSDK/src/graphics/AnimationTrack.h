// One timed strand of an animation: it is moved to the animation's position every tick and draws itself.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "core/Rect.h"
#include "graphics/Observable.h"

namespace Qel {

class Animation;
class DrawingSurface;

class AnimationTrack : public Observable {
public:
  explicit AnimationTrack(uint32_t trackType) : m_trackType(trackType) {}
  ~AnimationTrack() override = default;

  // Hooks for a track joining and leaving an animation.
  virtual void OnAttach(Animation* animation);
  virtual void OnDetach();
  virtual void Rewind();
  virtual void SetPaused(bool paused);
  virtual void Reset();
  // Moves the track to the position (milliseconds from the animation's start).
  virtual int Update(int32_t position);
  // Draws the part of the track inside the clip (in the sprite's own frame; null: everything) with the
  // clip's top-left corner at the position.
  virtual void Draw(DrawingSurface& surface, const Rect* clip, const Point2& position);
  // Moves the owner's start time at its next tick.
  virtual void ShiftStart(int32_t milliseconds);
  virtual int32_t GetLength() const = 0;
  virtual void GetBounds(Rect& out) const;

  // Leaves the old owner (which drops its entry for the track) before joining the new one.
  void SetAnimation(Animation* animation);
  // Forgets the owner; the owner's entry for the track is the caller's business.
  void DetachFromAnimation();
  Animation* GetAnimation() const { return m_animation; }
  uint32_t GetTrackType() const { return m_trackType; }

private:
  uint32_t m_trackType;
  Animation* m_animation = nullptr;
};

}  // namespace Qel
