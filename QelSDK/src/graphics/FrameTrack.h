// The frame track: a list of frames (image, offset, frame events) with start times, the only track kind.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/Point2.h"
#include "core/Rect.h"
#include "graphics/AnimationTrack.h"
#include "graphics/LifeGuard.h"

namespace Qel {

class DrawingSurface;
class FrameEvent;

class FrameTrack : public AnimationTrack {
public:
  struct FrameRecord {
    // May be null: the frame then draws nothing and has no size.
    std::shared_ptr<DrawingSurface> m_image;
    // Of the image's top-left corner from the sprite's origin.
    Point2 m_offset;
    std::vector<std::shared_ptr<FrameEvent>> m_events;
  };

  FrameTrack();
  ~FrameTrack() override = default;

  void Rewind() override;
  void Reset() override;
  // Returns the current frame. Events fire for every frame the position passes going forward, and for
  // the frame landed on going back; an event that answers true stops the advance at its frame.
  int Update(int32_t position) override;
  void Draw(DrawingSurface& surface, const Rect* clip, const Point2& position) override;
  int32_t GetLength() const override;
  void GetBounds(Rect& out) const override;

  // A new track with the same frames (sharing their images and events), on no frame.
  virtual std::shared_ptr<FrameTrack> Clone() const;

  // An index outside 0..frame count appends; a duration below 1 counts as 0.
  void AddFrame(int index, int32_t duration, const FrameRecord& record);
  // Makes the frame current and moves the owner's start so that its position lies at the frame's start;
  // the next Update keeps the frame and fires its events.
  void SeekFrame(int index);

  int GetFrameCount() const { return static_cast<int>(m_frames.size()); }
  int GetCurrentFrame() const { return m_currentFrame; }
  const FrameRecord& GetFrame(int index) const { return m_frames[static_cast<size_t>(index)]; }
  int32_t GetFrameStart(int index) const { return m_startTimes[static_cast<size_t>(index)]; }

private:
  // Fires the frame's events in list order; true when one of them asks to stop there.
  bool FireEvents(int index, int32_t position, bool& gone);

  // Frame count + 1 entries once there is a frame: each frame's start, then the track's end.
  std::vector<int32_t> m_startTimes;
  std::vector<FrameRecord> m_frames;
  int m_currentFrame = -1;
  bool m_seeking = false;
  LifeGuard m_life;
};

}  // namespace Qel
