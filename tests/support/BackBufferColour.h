// The colour of one pixel of a display's back buffer, whatever its pixel format, for the tests that
// check what a frame drew.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/Color.h"
#include "graphics/DrawingSurface.h"

namespace test {

// As 0xRRGGBB; 0xDEADBEEF (and a failed expectation) when the buffer cannot be read.
inline uint32_t ColourAt(Qel::DrawingSurface& back, int x, int y) {
  Qel::PixelFormat format;
  back.GetPixelFormat(format);
  int pitch = 0;
  const uint8_t* bits = back.Lock(pitch, Qel::DrawingSurface::kLockRead);
  EXPECT_NE(bits, nullptr);
  if (!bits) return 0xDEADBEEF;
  uint32_t packed = 0;
  std::memcpy(&packed, bits + y * pitch + x * format.GetBytesPerPixel(), format.GetBytesPerPixel());
  back.Unlock();
  Qel::Color colour;
  colour.Unpack(format, packed);
  return (uint32_t{colour.Red()} << 16) | (uint32_t{colour.Green()} << 8) | colour.Blue();
}

}  // namespace test
