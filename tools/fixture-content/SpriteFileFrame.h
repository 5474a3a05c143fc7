// One frame of a sprite file to write: its image and the optional fields its flags announce.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace fixture {

struct SpriteFileFrame {
  // Counted from 1; any value may be written.
  int16_t m_image = 1;
  // Each present field sets its flag and is stored.
  std::optional<int16_t> m_addedDuration;
  std::optional<std::string> m_sound;
  // Minimum, maximum.
  std::optional<std::pair<int16_t, int16_t>> m_pause;
  // Stored below version 5 only.
  std::optional<int16_t> m_oldValue;
  // More flag bits. Below version 7, 0x20, 0x40, 0x80 and 0x100 each bring a block of bytes that readers
  // skip; from version 7 on they bring nothing.
  uint32_t m_extraFlags = 0;
};

}  // namespace fixture
