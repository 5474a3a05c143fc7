// Pixels of a 32-bit back buffer read back at chosen points, for the tests that draw a scene.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/DrawingSurface.h"

namespace pixeltest {

struct Probe {
  int x, y;
  uint32_t rgb;
};

// The colour at (x, y) without its alpha byte.
inline uint32_t PixelAt(Qel::DrawingSurface& back, int x, int y) {
  int pitch = 0;
  const uint8_t* bits = back.Lock(pitch, Qel::DrawingSurface::kLockRead);
  EXPECT_NE(bits, nullptr);
  if (bits == nullptr) return 0xDEADBEEF;
  uint32_t pixel = 0;
  std::memcpy(&pixel, bits + y * pitch + x * 4, 4);
  back.Unlock();
  return pixel & 0xFFFFFF;
}

inline void ExpectPixels(Qel::DrawingSurface& back, const std::vector<Probe>& probes) {
  for (const Probe& p : probes) {
    EXPECT_EQ(PixelAt(back, p.x, p.y), p.rgb) << "at (" << p.x << ", " << p.y << ")";
  }
}

}  // namespace pixeltest
