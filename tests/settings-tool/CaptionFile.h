// Caption files made in the tests: UTF-16 text after a byte-order mark, as the tool reads them.
#pragma once

#include <string>

namespace test {

// The bytes of a little-endian UTF-16 file: the mark FF FE, then each unit low byte first.
inline std::string CaptionFileBytes(const std::u16string& text, bool withMark = true) {
  std::string bytes = withMark ? std::string("\xFF\xFE") : std::string();
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace test
