// The animation: play, pause and stop, the per-frame tick, and the bookkeeping of its tracks.
#include "graphics/Animation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/WrappingInt.h"
#include "graphics/AnimationTrack.h"
#include "graphics/FrameTrack.h"
#include "graphics/NotifyCodes.h"

namespace Qel {
namespace {

// Positions are whole milliseconds; a speed far from 1 must not carry a value out of their range.
int32_t ToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::trunc(std::clamp(value, kLow, kHigh)));
}

// Inside, not on or beyond, every edge.
bool StrictlyInside(const Rect& inner, const Rect& outer) {
  return inner.Left() > outer.Left() && inner.Top() > outer.Top() && inner.Right() < outer.Right() &&
         inner.Bottom() < outer.Bottom();
}

}  // namespace

Animation::Animation(TimeSource* clock, bool useFrameTime) : Temporal(clock, useFrameTime) {}

Animation::~Animation() {
  if (m_playing) Stop();
  RemoveAllTracks();
}

template <typename F>
bool Animation::ForEachTrack(F&& f) {
  LifeGuard::Watch watch(m_life);
  for (auto entry = m_tracks.begin(); entry != m_tracks.end();) {
    const int32_t id = entry->first;
    const std::shared_ptr<AnimationTrack> track = entry->second;
    f(*track);
    if (watch.IsGone()) return false;
    entry = m_tracks.upper_bound(id);
  }
  return true;
}

bool Animation::SendBoundsChanged() {
  LifeGuard::Watch watch(m_life);
  m_boundsDirty = true;
  Notify(kNotifyAnimation, kNotifyBoundsChanged, nullptr);
  return !watch.IsGone();
}

void Animation::SetLength(int32_t length) {
  m_length = length;
  int32_t sent = length;
  Notify(kNotifyAnimation, kNotifyDurationChanged, &sent);
}

void Animation::Play(int startFrame) {
  if (m_playing) {
    if (m_paused) SetPaused(false);
    return;
  }
  if (m_length <= 0) return;
  m_playing = true;
  m_paused = false;
  m_held = false;
  m_hasStartTime = false;
  m_lastTickTime = 0;
  m_pausedTotal = 0;
  // Seeks made before an earlier play that never ticked must not move this one.
  m_startShift = 0;
  LifeGuard::Watch watch(m_life);
  if (!SendBoundsChanged()) return;
  const bool alive = ForEachTrack([startFrame](AnimationTrack& track) {
    if (startFrame > 0) {
      if (auto* frames = dynamic_cast<FrameTrack*>(&track)) {
        frames->Reset();
        frames->SeekFrame(startFrame);
      }
    }
    track.Rewind();
  });
  if (!alive) return;
  Periodical::Start();
  Notify(kNotifyAnimation, kNotifyPlay, nullptr);
}

void Animation::Stop() {
  if (!m_playing) return;
  m_playing = false;
  m_paused = false;
  m_held = false;
  for (auto& [id, track] : m_tracks) track->Reset();
  Notify(kNotifyAnimation, kNotifyStop, nullptr);
}

void Animation::SetPaused(bool paused) {
  if (!m_playing || m_held || m_paused == paused) return;
  m_paused = paused;
  for (auto& [id, track] : m_tracks) track->SetPaused(paused);
  Notify(kNotifyAnimation, paused ? kNotifyPause : kNotifyUnpause, nullptr);
}

void Animation::SetSpeed(float speed) {
  if (speed > 0.0f) m_speed = speed;
}

void Animation::AddPausedTime(int32_t milliseconds) {
  m_pausedTotal = WrapAdd(m_pausedTotal, milliseconds);
}

void Animation::ShiftStart(int32_t milliseconds) {
  m_startShift = WrapAdd(m_startShift, milliseconds);
}

bool Animation::AddTrack(int32_t id, std::shared_ptr<AnimationTrack> track, int layer) {
  if (id == -1 || !track || HasTrack(track.get())) return false;
  if (layer < 0) layer = 0;
  LifeGuard::Watch watch(m_life);
  if (track->GetLength() > m_length) {
    SetLength(track->GetLength());
    if (watch.IsGone()) return true;
  }
  auto& stored = m_tracks[id];
  // The track it replaces would otherwise go on naming this animation as its owner.
  if (stored) stored->DetachFromAnimation();
  stored = track;
  bool listed = false;
  for (auto entry = m_layers.begin(); entry != m_layers.end(); ++entry) {
    auto& ids = entry->second;
    const auto found = std::find(ids.begin(), ids.end(), id);
    if (found == ids.end()) continue;
    if (entry->first == layer) {
      listed = true;
    } else {
      ids.erase(found);
      if (ids.empty()) m_layers.erase(entry);
    }
    break;
  }
  if (!listed) m_layers[layer].push_back(id);
  track->SetAnimation(this);
  OnTrackBoundsChanged(track.get(), Rect());
  return true;
}

bool Animation::RemoveTrack(int32_t id) {
  const auto found = m_tracks.find(id);
  if (found == m_tracks.end()) return false;
  const std::shared_ptr<AnimationTrack> track = std::move(found->second);
  m_tracks.erase(found);
  track->DetachFromAnimation();
  Rect removedBounds;
  track->GetBounds(removedBounds);
  const bool wasLongest = track->GetLength() >= m_length;
  int32_t longestLeft = 0;
  for (const auto& [otherId, other] : m_tracks) longestLeft = std::max(longestLeft, other->GetLength());

  for (auto entry = m_layers.begin(); entry != m_layers.end(); ++entry) {
    auto& ids = entry->second;
    const auto listed = std::find(ids.begin(), ids.end(), id);
    if (listed == ids.end()) continue;
    ids.erase(listed);
    if (ids.empty()) m_layers.erase(entry);
    break;
  }

  LifeGuard::Watch watch(m_life);
  if (!m_boundsDirty && !StrictlyInside(removedBounds, m_bounds)) {
    if (!SendBoundsChanged()) return true;
  }
  if (wasLongest && longestLeft < m_length) SetLength(longestLeft);
  return true;
}

bool Animation::RemoveTrack(AnimationTrack* track) {
  const int32_t id = FindTrackId(track);
  return id != -1 && RemoveTrack(id);
}

void Animation::RemoveAllTracks() {
  // The tracks die only after the notifications, so that nothing they hold goes mid-call.
  const auto tracks = std::move(m_tracks);
  m_tracks.clear();
  m_layers.clear();
  for (const auto& [id, track] : tracks) track->DetachFromAnimation();
  LifeGuard::Watch watch(m_life);
  if (!m_bounds.IsEmpty()) {
    m_bounds.Clear();
    Notify(kNotifyAnimation, kNotifyBoundsChanged, nullptr);
    if (watch.IsGone()) return;
  }
  if (m_length != 0) SetLength(0);
}

AnimationTrack* Animation::FindTrack(int32_t id) const {
  const auto found = m_tracks.find(id);
  return found == m_tracks.end() ? nullptr : found->second.get();
}

int32_t Animation::FindTrackId(const AnimationTrack* track) const {
  if (track == nullptr) return -1;
  for (const auto& [id, held] : m_tracks) {
    if (held.get() == track) return id;
  }
  return -1;
}

AnimationTrack* Animation::GetFirstTrack() const {
  return m_tracks.empty() ? nullptr : m_tracks.begin()->second.get();
}

Rect Animation::GetBounds() {
  UpdateBounds();
  return m_bounds;
}

void Animation::UpdateBounds() {
  if (!m_boundsDirty) return;
  m_bounds.Clear();
  for (const auto& [id, track] : m_tracks) {
    Rect bounds;
    track->GetBounds(bounds);
    if (!bounds.IsEmpty()) m_bounds |= bounds;
  }
  m_boundsDirty = false;
}

void Animation::Draw(DrawingSurface& surface, const Rect* clip, const Point2& position) {
  if (!m_playing) return;
  for (const auto& [layer, ids] : m_layers) {
    for (const int32_t id : ids) {
      if (AnimationTrack* track = FindTrack(id)) track->Draw(surface, clip, position);
    }
  }
}

void Animation::OnTrackLengthGrew(AnimationTrack* track, int32_t added) {
  if (added <= 0) return;
  const int32_t length = track->GetLength();
  if (length - added >= m_length) SetLength(length);
}

void Animation::OnTrackBoundsChanged(AnimationTrack* track, const Rect& old) {
  if (m_boundsDirty) return;
  Rect now;
  track->GetBounds(now);
  const Rect& b = m_bounds;
  // The first edge that moved decides: the union can only have changed when that edge bordered it
  // before or lies beyond it now.
  const struct {
    int32_t oldEdge, newEdge;
    bool dirty;
  } edges[] = {
      {old.Left(), now.Left(), old.Left() <= b.Left() || now.Left() < b.Left()},
      {old.Top(), now.Top(), old.Top() <= b.Top() || now.Top() < b.Top()},
      {old.Right(), now.Right(), old.Right() >= b.Right() || now.Right() > b.Right()},
      {old.Bottom(), now.Bottom(), old.Bottom() >= b.Bottom() || now.Bottom() > b.Bottom()},
  };
  for (const auto& edge : edges) {
    if (edge.oldEdge == edge.newEdge) continue;
    if (edge.dirty) {
      SendBoundsChanged();
      return;
    }
  }
}

int Animation::Update() {
  if (!m_playing) {
    m_hasStartTime = false;
    m_lastTickTime = 0;
    m_pausedTotal = 0;
    m_startShift = 0;
    Periodical::Stop();
    return 0;
  }
  if (m_held) return 0;
  const uint32_t now = GetTime();
  if (!m_hasStartTime) {
    m_startTime = now;
    m_hasStartTime = true;
    m_lastTickTime += now;
  }
  m_startTime += static_cast<uint32_t>(m_startShift);
  m_startShift = 0;
  if (m_paused) {
    m_pausedTotal = WrapAdd(m_pausedTotal, static_cast<int32_t>(now - m_lastTickTime));
    m_lastTickTime = now;
    return 0;
  }

  LifeGuard::Watch watch(m_life);
  const auto elapsed = static_cast<int32_t>(now - static_cast<uint32_t>(m_pausedTotal) - m_startTime);
  int32_t position = ToInt32(static_cast<double>(elapsed) * m_speed);
  if (position >= m_length) {
    if (m_playMode == kPlayModeLoop) {
      // An animation left without length has nothing to wrap: it stays at its start.
      if (m_length > 0) {
        const int32_t wrapped = position / m_length * m_length;
        // Time spent paused is clock time, not animation time: it is not scaled by the speed.
        m_startTime += static_cast<uint32_t>(m_pausedTotal) +
                       static_cast<uint32_t>(ToInt32(static_cast<double>(wrapped) / m_speed));
        m_pausedTotal = 0;
        position %= m_length;
        Notify(kNotifyAnimation, kNotifyLoop, nullptr);
        if (watch.IsGone()) return 0;
      } else {
        position = 0;
      }
    } else {
      position = m_length;
    }
  }
  if (!ForEachTrack([position](AnimationTrack& track) { track.Update(position); })) return 0;
  m_lastTickTime = now;
  if (position < m_length || m_playMode == kPlayModeLoop) return 0;

  if (m_playMode == kPlayModeStop) {
    Stop();
    if (watch.IsGone() || !SendBoundsChanged()) return 0;
  } else if (m_playMode == kPlayModeHold) {
    m_held = true;
    Notify(kNotifyAnimation, kNotifyStall, nullptr);
    if (watch.IsGone()) return 0;
  }
  Notify(kNotifyAnimation, kNotifyEnd, nullptr);
  return 0;
}

}  // namespace Qel
