// Pixel-format conversion: the rescaling of each channel, every pair of unit sizes, rows with padding,
// in-place conversion, and depths that are not converted.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/LittleEndian.h"
#include "core/PixelFormat.h"
#include "graphics/ConvertPixels.h"

namespace {

using Qel::PixelFormat;

// One pixel through ConvertPixels, with units as wide as each format's bytes per pixel.
uint32_t Convert(uint32_t value, const PixelFormat& from, const PixelFormat& to) {
  uint8_t source[4] = {};
  uint8_t destination[4] = {};
  Qel::WriteLE32(source, value);
  Qel::ConvertPixels(1, 1, source, 4, from, destination, 4, to);
  const uint32_t all = Qel::ReadLE32(destination);
  const int bytes = to.GetBytesPerPixel();
  return bytes == 4 ? all : all & ((1u << (8 * bytes)) - 1);
}

// x * D / S rounded half up, written out independently of the converter.
uint32_t Scale(uint32_t x, int from, int to) {
  const double exact = x * double((1u << to) - 1) / double((1u << from) - 1);
  return static_cast<uint32_t>(exact + 0.5);
}

TEST(ConvertPixelsTest, ChannelsAreRescaledRoundingHalfUp) {
  struct Case {
    const char* what;
    uint32_t value;
    PixelFormat from;
    PixelFormat to;
    uint32_t expected;
  };
  const Case cases[] = {
      {"A8R8G8B8 to R5G6B5 drops alpha", 0x12FF8001, Qel::kPixelFormatA8R8G8B8, Qel::kPixelFormatR5G6B5,
       0xFC00},
      {"R5G6B5 to A8R8G8B8 is opaque", (31u << 11) | (32u << 5), Qel::kPixelFormatR5G6B5,
       Qel::kPixelFormatA8R8G8B8, 0xFFFF8200},
      {"green 16 of 5 bits is 33 of 6", 16u << 5, Qel::kPixelFormatX1R5G5B5, Qel::kPixelFormatR5G6B5,
       33u << 5},
      {"green 31 of 5 bits is 63 of 6", 31u << 5, Qel::kPixelFormatX1R5G5B5, Qel::kPixelFormatR5G6B5,
       63u << 5},
      {"alpha 8 of 4 bits is 1 of 1", 0x8000, Qel::kPixelFormatA4R4G4B4, Qel::kPixelFormatA1R5G5B5, 0x8000},
      {"alpha 7 of 4 bits is 0 of 1", 0x7000, Qel::kPixelFormatA4R4G4B4, Qel::kPixelFormatA1R5G5B5, 0x0000},
      {"equal formats copy the masked bits", 0xFFFFFFFF, Qel::kPixelFormatX8R8G8B8, Qel::kPixelFormatX8R8G8B8,
       0x00FFFFFF},
      {"the unmasked top bit of X1R5G5B5 is dropped", 0xFFFF, Qel::kPixelFormatX1R5G5B5,
       Qel::kPixelFormatA1R5G5B5, 0xFFFF},
      {"the same channels at other places move", 0x00123456, Qel::kPixelFormatX8R8G8B8,
       PixelFormat(32, 0xFF, 0xFF00, 0xFF0000, 0), 0x00563412},
      {"24-bit to 32-bit", 0x00ABCDEF, Qel::kPixelFormatR8G8B8, Qel::kPixelFormatA8R8G8B8, 0xFFABCDEF},
      {"8-bit channels to 3-3-2", 0x00FF8040, Qel::kPixelFormatX8R8G8B8, PixelFormat(8, 0xE0, 0x1C, 0x03, 0),
       (7u << 5) | (4u << 2) | 1u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Convert(c.value, c.from, c.to), c.expected);
  }
}

// Every value of every channel, both ways between the two formats the game converts between.
TEST(ConvertPixelsTest, EveryChannelValueMatchesTheRoundedScale) {
  for (uint32_t x = 0; x < 256; ++x) {
    const uint32_t argb = 0xFF000000 | (x << 16) | ((255 - x) << 8) | (x ^ 0x55);
    const uint32_t expected = (Scale(x, 8, 5) << 11) | (Scale(255 - x, 8, 6) << 5) | Scale(x ^ 0x55, 8, 5);
    ASSERT_EQ(Convert(argb, Qel::kPixelFormatA8R8G8B8, Qel::kPixelFormatR5G6B5), expected) << x;
  }
  for (uint32_t v = 0; v < 0x10000; ++v) {
    const uint32_t expected =
        0xFF000000 | (Scale(v >> 11, 5, 8) << 16) | (Scale((v >> 5) & 63, 6, 8) << 8) | Scale(v & 31, 5, 8);
    ASSERT_EQ(Convert(v, Qel::kPixelFormatR5G6B5, Qel::kPixelFormatA8R8G8B8), expected) << v;
  }
}

// A 24-bit pixel is three bytes: a packed row read or written in 32-bit words runs a byte past its end.
TEST(ConvertPixelsTest, EveryPairOfUnitSizesKeepsToItsRows) {
  const PixelFormat formats[] = {PixelFormat(8, 0xE0, 0x1C, 0x03, 0), Qel::kPixelFormatR5G6B5,
                                 Qel::kPixelFormatR8G8B8, Qel::kPixelFormatX8R8G8B8};
  // White, black and a pure green survive every one of these formats.
  const uint32_t white = 0xFFFFFF;
  for (const PixelFormat& from : formats) {
    for (const PixelFormat& to : formats) {
      SCOPED_TRACE(testing::Message() << from.GetBitsPerPixel() << " to " << to.GetBitsPerPixel());
      const int width = 3;
      const int height = 2;
      const int fromBytes = from.GetBytesPerPixel();
      const int toBytes = to.GetBytesPerPixel();
      // Packed rows, allocated to the byte, so that a unit too wide is caught at the last pixel.
      std::vector<uint8_t> source(width * height * fromBytes);
      std::vector<uint8_t> destination(width * height * toBytes, 0xEE);
      const uint32_t rgb[] = {white, 0, 0x00FF00, 0, white, white};
      for (int i = 0; i < width * height; ++i) {
        const uint32_t v = Convert(rgb[i], Qel::kPixelFormatX8R8G8B8, from);
        for (int b = 0; b < fromBytes; ++b) source[i * fromBytes + b] = static_cast<uint8_t>(v >> (8 * b));
      }
      Qel::ConvertPixels(width, height, source.data(), width * fromBytes, from, destination.data(),
                         width * toBytes, to);
      for (int i = 0; i < width * height; ++i) {
        uint32_t v = 0;
        for (int b = 0; b < toBytes; ++b) v |= uint32_t{destination[i * toBytes + b]} << (8 * b);
        EXPECT_EQ(v, Convert(rgb[i], Qel::kPixelFormatX8R8G8B8, to)) << "pixel " << i;
      }
    }
  }
}

TEST(ConvertPixelsTest, PaddingOfEitherSideIsSkippedAndLeftAlone) {
  // 2 x 2 R5G6B5 in rows of 6 bytes, to A8R8G8B8 in rows of 12.
  std::vector<uint8_t> source = {0x00, 0xF8, 0x1F, 0x00, 0xAA, 0xAA, 0xE0, 0x07, 0xFF, 0xFF, 0xAA, 0xAA};
  std::vector<uint8_t> destination(24, 0xEE);
  Qel::ConvertPixels(2, 2, source.data(), 6, Qel::kPixelFormatR5G6B5, destination.data(), 12,
                     Qel::kPixelFormatA8R8G8B8);
  const uint32_t expected[] = {0xFFFF0000, 0xFF0000FF, 0xEEEEEEEE, 0xFF00FF00, 0xFFFFFFFF, 0xEEEEEEEE};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Qel::ReadLE32(destination.data() + 4 * i), expected[i]) << i;
}

TEST(ConvertPixelsTest, ConvertsInPlaceWhenBothSidesHaveTheSameUnits) {
  std::vector<uint8_t> pixels = {0xFF, 0x7F, 0x34, 0x92, 0x34, 0x12, 0xAA, 0xAA};
  Qel::ConvertPixels(2, 1, pixels.data(), 8, Qel::kPixelFormatA4R4G4B4, pixels.data(), 8,
                     Qel::kPixelFormatA1R5G5B5);
  // 0x7FFF: alpha 7 of 15 is 0, each 15 is 31. 0x9234: alpha 9 is 1, red 2, green 3 and blue 4 of 15 are
  // 4, 6 and 8 of 31 (rounded half up: 4.13, 6.2, 8.27).
  EXPECT_EQ(Qel::ReadLE16(pixels.data()), 0x7FFF);
  EXPECT_EQ(Qel::ReadLE16(pixels.data() + 2), 0x8000u | (4u << 10) | (6u << 5) | 8u);
  EXPECT_EQ(Qel::ReadLE16(pixels.data() + 4), 0x1234);  // beyond the width
}

TEST(ConvertPixelsTest, DepthsOtherThanWholeBytesWriteNothing) {
  const PixelFormat twelve(12, 0xF00, 0xF0, 0xF, 0);
  const PixelFormat four(4, 0x8, 0x4, 0x3, 0);
  std::vector<uint8_t> source(8, 0x55);
  std::vector<uint8_t> destination(8, 0xEE);
  Qel::ConvertPixels(2, 1, source.data(), 8, twelve, destination.data(), 8, Qel::kPixelFormatR5G6B5);
  Qel::ConvertPixels(2, 1, source.data(), 8, Qel::kPixelFormatR5G6B5, destination.data(), 8, four);
  Qel::ConvertPixels(0, 1, source.data(), 8, Qel::kPixelFormatR5G6B5, destination.data(), 8,
                     Qel::kPixelFormatR5G6B5);
  EXPECT_EQ(destination, std::vector<uint8_t>(8, 0xEE));
}

// Masks come from files: channels of any width and place convert without undefined shifts.
TEST(ConvertPixelsTest, ChannelsWiderThanABytePassThrough) {
  const PixelFormat wide(32, 0xFFFFFFFF, 0, 0, 0);
  const PixelFormat tenBits(32, 0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000);
  EXPECT_EQ(Convert(0xFFFFFFFF, wide, Qel::kPixelFormatR5G6B5), 0xF800u);
  EXPECT_EQ(Convert(0xFFFFFFFF, tenBits, Qel::kPixelFormatA8R8G8B8), 0xFFFFFFFFu);
  EXPECT_EQ(Convert(0xFFFFFFFF, Qel::kPixelFormatA8R8G8B8, tenBits), 0xFFFFFFFFu);
}

}  // namespace
