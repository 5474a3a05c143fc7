// A captioned voice line with a lip-sync track that tells a talking head which mouth shape to show.
#pragma once

#include <cstdint>

#include "framework/CCSound.h"
#include "framework/LipSyncTrack.h"

class LipSyncSound : public CCSound {
public:
  // Shapes drawn at random change at most this often without a track.
  static constexpr uint32_t kRandomShapeMs = 100;
  static constexpr int kRandomShapeCount = 8;

  // The track is the "snc " resource named like the sound's file; without one (or with one that is
  // no whole track) the mouth moves at random.
  LipSyncSound(const char* name, const char* file, ClosedCaption* caption, uint32_t captionNumber,
               bool pausable, bool streamed);

  // The mouth shape to show now: the track's entry at the play position, or a random shape 0..7
  // kept for kRandomShapeMs of game-clock time.
  int GetMouthShape();

  const LipSyncTrack& GetTrack() const { return m_track; }

private:
  LipSyncTrack m_track;
  uint32_t m_lastRandomTime = 0;
  int m_randomShape = 0;
};
