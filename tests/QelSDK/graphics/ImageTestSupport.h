// Helpers of the frame image tests: a stream over bytes and a fixture with a memory display whose
// surface pairs (memory, tiled, compressed) are registered.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "MemoryDisplayDevice.h"
#include "MemorySurface.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "graphics/CompressedSurface.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"

namespace memtest {

inline std::unique_ptr<Qel::MemStream> StreamOf(const std::vector<uint8_t>& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  block->Allocate(static_cast<uint32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(block->GetData(), bytes.data(), bytes.size());
  auto stream = std::make_unique<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

// Every pixel of a surface, row by row.
inline std::vector<uint32_t> PixelsOf(const MemorySurface& surface) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < surface.GetHeight(); ++y) {
    for (int x = 0; x < surface.GetWidth(); ++x) pixels.push_back(surface.PixelAt(x, y));
  }
  return pixels;
}

// A gradient that differs in every pixel and channel, as 32-bit ARGB.
inline std::vector<uint32_t> Gradient(int width, int height) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(0xFF000000u | (uint32_t(x * 7 + y) & 0xFF) << 16 |
                       (uint32_t(y * 5 + x * 3) & 0xFF) << 8 | (uint32_t(x ^ y) & 0xFF));
    }
  }
  return pixels;
}

class ImageTest : public testing::Test {
protected:
  void SetUp() override {
    // The log of copies is the process's: a case of another fixture may have left copies in it.
    MemorySurface::Calls().clear();
    MemorySurface::RegisterSurfaceOps();
    Qel::MultiSurface::RegisterSurfaceOps();
    Qel::CompressedSurface::RegisterSurfaceOps();
  }
  void TearDown() override {
    Qel::SetMaxSurfaceSize(0, 0);
    MemorySurface::Calls().clear();
  }

  // A 16-bit display without alpha blending, as the SDL display runs the game.
  MemoryDisplayDevice display{640, 480, Qel::kPixelFormatR5G6B5, false};
  // A display that blends alpha, where images keep their own format.
  MemoryDisplayDevice blending{640, 480, Qel::kPixelFormatA8R8G8B8, true};
};

}  // namespace memtest
