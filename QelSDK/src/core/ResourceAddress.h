// Resources are addressed by a type code made from their extension and a hash of their base name.
#pragma once

#include <cstdint>

namespace Qel {

// The four type characters, first in the high byte.
constexpr uint32_t MakeTypeCode(char a, char b, char c, char d) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(d));
}

inline constexpr uint32_t kTypeSprite = MakeTypeCode('q', 'e', 'l', 'a');
inline constexpr uint32_t kTypeText = MakeTypeCode('t', 'x', 't', ' ');
inline constexpr uint32_t kTypeWave = MakeTypeCode('w', 'a', 'v', ' ');
inline constexpr uint32_t kTypeMovie = MakeTypeCode('b', 'i', 'k', ' ');
inline constexpr uint32_t kTypeLipSync = MakeTypeCode('s', 'n', 'c', ' ');
inline constexpr uint32_t kTypeNone = MakeTypeCode(' ', ' ', ' ', ' ');

// Case-blind hash of a base name: the sum of c(i) * 38^i over the characters, modulo 2^32,
// with bytes above 0x7F entering as negative values.
uint32_t NameHash(const char* name);

// Up to four lower-cased extension characters, padded with blanks; one leading "." is skipped and
// null gives the blank code.
uint32_t TypeCodeFromExtension(const char* ext);

}  // namespace Qel
