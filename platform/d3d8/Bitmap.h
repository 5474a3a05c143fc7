// Reading uncompressed Windows bitmaps from memory into A8R8G8B8 rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/d3d8/D3D8Types.h"

namespace plat::d3d8 {

struct Bitmap {
  int width = 0;
  int height = 0;
  // The format the file's pixels are in: R8G8B8 (24 bits), X8R8G8B8 (32 bits, and the paletted
  // depths, whose palettes the surfaces cannot keep), X1R5G5B5 or R5G6B5 (16 bits), A8R8G8B8 (32
  // bits with an alpha mask).
  D3DFORMAT format = D3DFMT_UNKNOWN;
  std::vector<uint32_t> pixels;  // top row first, A8R8G8B8; only when asked for
};

// False for anything but an uncompressed bitmap (BI_RGB, or BI_BITFIELDS with masks of one of the
// formats above) whose header, palette and rows all lie inside the data.
bool ReadBitmap(const uint8_t* data, size_t size, Bitmap& bitmap, bool withPixels);

}  // namespace plat::d3d8
