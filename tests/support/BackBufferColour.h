// The colour of one pixel of a display's back buffer, whatever its pixel format, for the tests that
// check what a frame drew.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>

#include "core/Color.h"
#include "graphics/DrawingSurface.h"

namespace test {

// The pixel as the surface stores it, in its own packing; 0xDEADBEEF (and a failed expectation)
// when the buffer cannot be read.
inline uint32_t PackedAt(Qel::DrawingSurface& back, int x, int y) {
  Qel::PixelFormat format;
  back.GetPixelFormat(format);
  int pitch = 0;
  const uint8_t* bits = back.Lock(pitch, Qel::DrawingSurface::kLockRead);
  EXPECT_NE(bits, nullptr);
  if (!bits) return 0xDEADBEEF;
  uint32_t packed = 0;
  std::memcpy(&packed, bits + y * pitch + x * format.GetBytesPerPixel(), format.GetBytesPerPixel());
  back.Unlock();
  return packed;
}

// An opaque 0xRRGGBB packed by keeping each channel's top bits, as movie copies do.
inline uint32_t PackTopBits(const Qel::PixelFormat& format, uint32_t rgb) {
  uint32_t value = 0;
  const uint32_t channels[] = {rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF};
  const uint32_t masks[] = {format.GetRedMask(), format.GetGreenMask(), format.GetBlueMask()};
  for (int i = 0; i < 3; ++i)
    value |= (channels[i] >> (8 - std::popcount(masks[i]))) << std::countr_zero(masks[i]);
  return value;
}

// As 0xRRGGBB.
inline uint32_t ColourAt(Qel::DrawingSurface& back, int x, int y) {
  const uint32_t packed = PackedAt(back, x, y);
  Qel::PixelFormat format;
  back.GetPixelFormat(format);
  Qel::Color colour;
  colour.Unpack(format, packed);
  return (uint32_t{colour.Red()} << 16) | (uint32_t{colour.Green()} << 8) | colour.Blue();
}

}  // namespace test
