// One picture of a sprite file to write: its placement, its pixels and how the file stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace fixture {

struct SpriteFileImage {
  // How files below version 7 store the rows.
  enum class Encoding { kRunLength, kRaw };

  // A width x height block of one colour, 32 bits with alpha.
  static SpriteFileImage Solid(int32_t width, int32_t height, uint32_t argb, int32_t x = 0, int32_t y = 0);

  // Of the image's top-left corner from the sprite's origin.
  int32_t m_x = 0;
  int32_t m_y = 0;
  int32_t m_width = 0;
  int32_t m_height = 0;
  // Files of version 7 and up store any depth of whole bytes with these masks; older ones store 32 bits
  // (with alpha) or 16 bits (4 bits a channel) and take no masks.
  uint32_t m_bitsPerPixel = 32;
  uint32_t m_redMask = 0xFF0000;
  uint32_t m_greenMask = 0xFF00;
  uint32_t m_blueMask = 0xFF;
  uint32_t m_alphaMask = 0xFF000000;
  // Row by row, each value packed in the format.
  std::vector<uint32_t> m_pixels;
  Encoding m_encoding = Encoding::kRunLength;
  // Versions 5 and 6: bit 0 makes the file carry 8 more bytes after the placement.
  uint32_t m_placementFlags = 0;

  // Lies, for the corrupt-file tests: a compressed length (version 7) or data size (older) other than
  // the true one, and a zlib stream whose header is damaged (version 7).
  std::optional<uint32_t> m_storedLength;
  bool m_corruptStream = false;
};

}  // namespace fixture
