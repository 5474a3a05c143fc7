// One animation as a sprite file stores it: its flags, added duration, play mode and frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/SpriteFrameRecord.h"

namespace Qel {

struct SpriteAnimationRecord {
  // The file's play modes; every other value loops.
  static constexpr int16_t kModeStop = 0;
  static constexpr int16_t kModeHold = 1;
  static constexpr int16_t kModeChain = 3;

  uint32_t m_flags = 0;
  // Counts only under its flag.
  int16_t m_addedDuration = 100;
  int16_t m_playMode = kModeStop;
  // The animation played when this one ends, in chain mode.
  int16_t m_nextAnimation = 0;
  std::vector<SpriteFrameRecord> m_frames;
  // Animations are known by their position; the stored name is not kept.
  std::string m_name;
};

}  // namespace Qel
