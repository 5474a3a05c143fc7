// One animation of a sprite file to write: its added duration, play mode, name and frames.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fixture-content/SpriteFileFrame.h"

namespace fixture {

struct SpriteFileAnimation {
  // Sets its flag and is stored when present.
  std::optional<int16_t> m_addedDuration;
  // Stored from version 5 on: 0 stop, 1 hold, 3 chain to the next animation, others loop.
  int16_t m_playMode = 0;
  int16_t m_nextAnimation = 0;
  std::string m_name;
  // More flag bits: below version 7 0x8 brings 2 bytes; in versions 5 and 6 0x10 and 0x20 bring 2 each.
  uint32_t m_extraFlags = 0;
  std::vector<SpriteFileFrame> m_frames;
  // A frame count to store other than the true one.
  std::optional<int16_t> m_frameCountField;
};

}  // namespace fixture
