// Helpers of the movie library's tests: a clock the test moves, movies written into the test's folder, and
// the pixels each copy layout must hold.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/bink/Bink.h"
#include "platform/win/kernel/Timer.h"
#include "support/MovieFiles.h"

namespace binktest {

using namespace plat::bink;

inline uint32_t gNow = 1000;
inline uint32_t FakeTime() {
  return gNow;
}

// A copy layout: its surface type, bytes per pixel, and the bits that carry colour (the rest are unused).
struct Layout {
  const char* name;
  U32 type;
  int bytes;
  uint32_t used;
};

inline const Layout kLayouts[] = {
    {"24-bit", BINKSURFACE24, 3, 0xFFFFFF},   {"32-bit", BINKSURFACE32, 4, 0xFFFFFF},
    {"32-bit alpha", BINKSURFACE32A, 4, ~0u}, {"4444", BINKSURFACE4444, 2, 0xFFFF},
    {"555", BINKSURFACE555, 2, 0x7FFF},       {"565", BINKSURFACE565, 2, 0xFFFF},
};

// The pixel of an opaque 0xRRGGBB colour in a layout, packed from the channel masks.
inline uint32_t Packed(uint32_t rgb, U32 type) {
  const uint32_t r = rgb >> 16 & 0xFF;
  const uint32_t g = rgb >> 8 & 0xFF;
  const uint32_t b = rgb & 0xFF;
  switch (type) {
    case BINKSURFACE24:
    case BINKSURFACE32:
      return rgb;
    case BINKSURFACE32A:
      return 0xFF000000u | rgb;
    case BINKSURFACE4444:
      return 0xF000u | (r >> 4) << 8 | (g >> 4) << 4 | b >> 4;
    case BINKSURFACE555:
      return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    default:
      return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
  }
}

// A buffer of rows with a guard after its last row, all of it filled with a byte no copy writes.
class PixelBuffer {
public:
  static constexpr uint8_t kUntouched = 0xA5;
  static constexpr size_t kGuard = 64;

  PixelBuffer(int width, int height, int bytes, int padding = 0)
      : m_pitch(width * bytes + padding),
        m_height(height),
        m_bytes(bytes),
        m_data(static_cast<size_t>(m_pitch) * static_cast<size_t>(height) + kGuard, kUntouched) {}

  uint8_t* Data() { return m_data.data(); }
  S32 Pitch() const { return m_pitch; }
  U32 Height() const { return static_cast<U32>(m_height); }

  uint32_t At(int x, int y) const {
    uint32_t value = 0;
    std::memcpy(&value, m_data.data() + static_cast<size_t>(y) * m_pitch + static_cast<size_t>(x) * m_bytes,
                static_cast<size_t>(m_bytes));
    return value;
  }
  bool Untouched(int x, int y) const {
    for (int i = 0; i < m_bytes; ++i) {
      if (m_data[static_cast<size_t>(y) * m_pitch + static_cast<size_t>(x) * m_bytes + i] != kUntouched)
        return false;
    }
    return true;
  }
  bool GuardUntouched() const {
    for (size_t i = m_data.size() - kGuard; i < m_data.size(); ++i) {
      if (m_data[i] != kUntouched) return false;
    }
    return true;
  }
  bool AllUntouched() const {
    for (const uint8_t byte : m_data) {
      if (byte != kUntouched) return false;
    }
    return true;
  }

private:
  int m_pitch;
  int m_height;
  int m_bytes;
  std::vector<uint8_t> m_data;
};

class BinkTest : public testing::Test {
protected:
  void SetUp() override {
    gNow = 1000;
    plat::win::SetTimeSourceForTesting(FakeTime);
  }
  void TearDown() override {
    if (m_bink) BinkClose(m_bink);
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // Writes the movie into the test's folder and opens it.
  HBINK OpenNew(const std::string& name, const test::MovieSpec& spec) {
    test::WriteMovieFile(name, spec);
    m_bink = BinkOpen(name.c_str(), 0);
    EXPECT_NE(m_bink, nullptr) << BinkGetError();
    return m_bink;
  }

  // Decodes and counts the next frame.
  void Next() {
    ASSERT_EQ(BinkDoFrame(m_bink), 0);
    BinkNextFrame(m_bink);
  }

  HBINK m_bink = nullptr;
};

}  // namespace binktest
