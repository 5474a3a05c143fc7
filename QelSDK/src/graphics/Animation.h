// The animation: one timed sequence of a sprite, advanced once per frame on its clock, with its tracks.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/Periodical.h"
#include "core/Point2.h"
#include "core/Rect.h"
#include "graphics/LifeGuard.h"
#include "graphics/Observable.h"
#include "graphics/Temporal.h"

namespace Qel {

class AnimationTrack;
class DrawingSurface;
class TimeSource;

// Observers hear "anim" with "play", "stop", "paus", "upau", "loop", "stal", "ende", "bndc" and "durc"
// (with a pointer to the new length). Any of them may release the animation from inside the call.
class Animation : public Observable, public Periodical, public Temporal {
public:
  static constexpr int kPlayModeStop = 0;
  static constexpr int kPlayModeHold = 1;
  static constexpr int kPlayModeLoop = 2;

  Animation(TimeSource* clock, bool useFrameTime);
  ~Animation() override;

  // Starts from the frame given (frame tracks only) when stopped and not empty; resumes when paused.
  void Play(int startFrame = 0);
  void Stop();
  // Ignored when stopped or held at the end.
  void SetPaused(bool paused);
  // Only factors above 0 are taken.
  void SetSpeed(float speed);
  float GetSpeed() const { return m_speed; }
  // Other values than the three modes run to the end without stopping or holding.
  void SetPlayMode(int mode) { m_playMode = mode; }
  int GetPlayMode() const { return m_playMode; }
  void AddPausedTime(int32_t milliseconds);
  void ShiftStart(int32_t milliseconds);

  bool IsPlaying() const { return m_playing; }
  bool IsPaused() const { return m_paused; }
  bool IsHeld() const { return m_held; }
  int32_t GetLength() const { return m_length; }

  // Layers below 0 count as 0. A track stored under an id already used replaces the one there, which is
  // detached, and the id stands once in the layer lists.
  bool AddTrack(int32_t id, std::shared_ptr<AnimationTrack> track, int layer);
  bool RemoveTrack(int32_t id);
  bool RemoveTrack(AnimationTrack* track);
  void RemoveAllTracks();
  AnimationTrack* FindTrack(int32_t id) const;
  // -1 when the track is not held.
  int32_t FindTrackId(const AnimationTrack* track) const;
  bool HasTrack(const AnimationTrack* track) const { return FindTrackId(track) != -1; }
  AnimationTrack* GetFirstTrack() const;

  // The union of the tracks' bounds, brought up to date first.
  Rect GetBounds();
  void UpdateBounds();
  // Draws the tracks layer by layer, only while playing.
  void Draw(DrawingSurface& surface, const Rect* clip, const Point2& position);

  // What the tracks tell their owner.
  void OnTrackLengthGrew(AnimationTrack* track, int32_t added);
  void OnTrackBoundsChanged(AnimationTrack* track, const Rect& old);

  // The tick: moves the position on, handles the end by the play mode, moves every track.
  int Update() override;

private:
  // Calls f on every track in id order, each kept alive meanwhile; tracks added or removed by the calls
  // are taken into account. False when the animation went away inside a call.
  template <typename F>
  bool ForEachTrack(F&& f);
  // Marks the cached bounds stale and says so; false when the animation went away meanwhile.
  bool SendBoundsChanged();
  void SetLength(int32_t length);

  std::map<int32_t, std::shared_ptr<AnimationTrack>> m_tracks;
  std::map<int32_t, std::vector<int32_t>> m_layers;
  Rect m_bounds;
  bool m_boundsDirty = false;
  int32_t m_length = 0;
  float m_speed = 1.0f;
  // Clock times wrap: differences are taken in unsigned arithmetic.
  uint32_t m_startTime = 0;
  bool m_hasStartTime = false;
  uint32_t m_lastTickTime = 0;
  int32_t m_pausedTotal = 0;
  bool m_playing = false;
  bool m_paused = false;
  bool m_held = false;
  int32_t m_startShift = 0;
  int m_playMode = kPlayModeStop;
  LifeGuard m_life;
};

}  // namespace Qel
