// The frame track: which frame a position shows, its events, its bounds and its drawing.
#include "graphics/FrameTrack.h"

#include <algorithm>
#include <limits>

#include "graphics/Animation.h"
#include "graphics/DrawingSurface.h"
#include "graphics/FrameEvent.h"
#include "graphics/NotifyCodes.h"

namespace Qel {

FrameTrack::FrameTrack() : AnimationTrack(kTrackTypeFrame) {}

void FrameTrack::Rewind() {
  Update(0);
}

void FrameTrack::Reset() {
  m_currentFrame = -1;
  m_seeking = false;
}

int32_t FrameTrack::GetLength() const {
  return m_startTimes.empty() ? 0 : m_startTimes.back();
}

void FrameTrack::GetBounds(Rect& out) const {
  out.Clear();
  if (m_currentFrame < 0) return;
  const FrameRecord& frame = m_frames[static_cast<size_t>(m_currentFrame)];
  out = Rect(frame.m_offset, frame.m_offset);
  if (frame.m_image) {
    out.SetWidth(frame.m_image->GetWidth());
    out.SetHeight(frame.m_image->GetHeight());
  }
}

std::shared_ptr<FrameTrack> FrameTrack::Clone() const {
  auto clone = std::make_shared<FrameTrack>();
  clone->m_startTimes = m_startTimes;
  clone->m_frames = m_frames;
  return clone;
}

void FrameTrack::AddFrame(int index, int32_t duration, const FrameRecord& record) {
  if (m_startTimes.empty()) m_startTimes.push_back(0);
  const int count = GetFrameCount();
  if (index < 0 || index > count) index = count;
  if (duration < 1) duration = 0;
  // Start times are 32-bit: a track is never made longer than they can hold.
  duration = std::min(duration, std::numeric_limits<int32_t>::max() - m_startTimes.back());
  const auto at = m_startTimes.begin() + index;
  const auto inserted = m_startTimes.insert(at, *at);
  for (auto entry = inserted + 1; entry != m_startTimes.end(); ++entry) *entry += duration;
  m_frames.insert(m_frames.begin() + index, record);
  if (Animation* owner = GetAnimation()) owner->OnTrackLengthGrew(this, duration);
}

void FrameTrack::SeekFrame(int index) {
  if (index < 0 || index >= GetFrameCount() || index == m_currentFrame) return;
  const int old = std::max(m_currentFrame, 0);
  m_currentFrame = index;
  m_seeking = true;
  LifeGuard::Watch watch(m_life);
  if (Animation* owner = GetAnimation()) owner->OnTrackBoundsChanged(this, Rect());
  if (watch.IsGone()) return;
  ShiftStart(m_startTimes[static_cast<size_t>(old)] - m_startTimes[static_cast<size_t>(index)]);
}

int FrameTrack::Update(int32_t position) {
  const int32_t at = position < 1 ? 0 : position;
  const int before = m_currentFrame;
  int target = -1;
  if (!m_frames.empty()) {
    const auto starts = m_startTimes.begin();
    target = static_cast<int>(std::upper_bound(starts, starts + GetFrameCount(), at) - starts) - 1;
  }
  // Most ticks stay on the frame they were on.
  if (target == m_currentFrame && !m_seeking) return m_currentFrame;
  Rect boundsBefore;
  GetBounds(boundsBefore);

  bool gone = false;
  if (target <= m_currentFrame) {
    // Going back fires only the frame landed on; right after a seek the sought frame stays.
    if (!m_seeking) m_currentFrame = target;
    m_seeking = false;
    if (m_currentFrame >= 0) FireEvents(m_currentFrame, at, gone);
  } else {
    // The seek is consumed here too, so that the next update does not fire the frame reached again.
    m_seeking = false;
    while (m_currentFrame < target) {
      ++m_currentFrame;
      const bool stop = FireEvents(m_currentFrame, at, gone);
      if (gone) return -1;
      if (stop) break;
    }
  }
  if (gone) return -1;

  LifeGuard::Watch watch(m_life);
  Rect boundsAfter;
  GetBounds(boundsAfter);
  if (boundsAfter != boundsBefore) {
    if (Animation* owner = GetAnimation()) owner->OnTrackBoundsChanged(this, boundsBefore);
    if (watch.IsGone()) return -1;
  }
  int current = m_currentFrame;
  if (current != before) Notify(kNotifyFrameTrack, kNotifyFrameChanged, &current);
  return current;
}

bool FrameTrack::FireEvents(int index, int32_t position, bool& gone) {
  const size_t frame = static_cast<size_t>(index);
  // Most frames carry no events: spare them the copy.
  if (m_frames[frame].m_events.empty()) return false;
  const int32_t start = m_startTimes[frame];
  const int32_t duration = m_startTimes[frame + 1] - start;
  // The events are kept alive by this copy should their frame go away while one fires.
  const std::vector<std::shared_ptr<FrameEvent>> events = m_frames[frame].m_events;
  LifeGuard::Watch watch(m_life);
  bool stop = false;
  for (const auto& event : events) {
    if (event->Fire(start, duration, position)) stop = true;
    if (watch.IsGone()) {
      gone = true;
      return true;
    }
  }
  return stop;
}

void FrameTrack::Draw(DrawingSurface& surface, const Rect* clip, const Point2& position) {
  if (m_currentFrame < 0) return;
  const FrameRecord& frame = m_frames[static_cast<size_t>(m_currentFrame)];
  if (!frame.m_image) return;
  Rect source;
  GetBounds(source);
  Point2 at = position;
  if (clip) {
    Rect::Intersect(*clip, source, source);
    if (source.IsEmpty()) return;
    at += source.TopLeft() - clip->TopLeft();
  }
  source -= frame.m_offset;
  frame.m_image->BlitTo(&surface, &source, at);
}

}  // namespace Qel
