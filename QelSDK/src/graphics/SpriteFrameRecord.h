// One frame as a sprite file stores it: its image, its added duration, its sound and its pause.
#pragma once

#include <cstdint>
#include <string>

namespace Qel {

struct SpriteFrameRecord {
  // Into the image table, counted from 1.
  int16_t m_imageNumber = 1;
  uint32_t m_flags = 0;
  // Stored by old versions and not used.
  int16_t m_oldValue = 0;
  // Counts only under its flag.
  int16_t m_addedDuration = 100;
  // A word in square brackets names a trigger; anything else non-empty a sound.
  std::string m_soundName;
  int16_t m_pauseMinimum = 0;
  int16_t m_pauseMaximum = 0;
};

}  // namespace Qel
