// Little-endian fields of stored records: the one reader and writer of archive, sprite, wave and
// save records, so that every format reads its bytes the same way on any host.
#pragma once

#include <cstdint>

namespace Qel {

inline constexpr uint16_t ReadLE16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline constexpr uint32_t ReadLE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline constexpr void WriteLE16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

inline constexpr void WriteLE32(uint8_t* p, uint32_t value) {
  WriteLE16(p, static_cast<uint16_t>(value));
  WriteLE16(p + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace Qel
