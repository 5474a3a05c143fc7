// Where stored images are decoded to: the size, depth and row step of the destination buffer.
#pragma once

#include <cstdint>

struct SquishImageLayout {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  // Bytes per row.
  int32_t pitch = 0;
};
