// Pixel formats: the derived bit counts and shifts, the standard constants, sizes and equality.
#include <gtest/gtest.h>

#include "core/PixelFormat.h"

using Qel::PixelFormat;

// The constants are usable at compile time.
static_assert(Qel::kPixelFormatR5G6B5.GetGreenShift() == 5);
static_assert(Qel::kPixelFormatNone == PixelFormat());

TEST(PixelFormat, BitCountAndShiftOfAMask) {
  struct Case {
    uint32_t mask;
    int bits;
    int shift;
  };
  const Case cases[] = {
      {0, 0, 0},          {0xF800, 5, 11},   {0x001F, 5, 0},   {0xFF000000, 8, 24},  {0x8000, 1, 15},
      {0xFFFF, 16, 0},    {0x10000, 1, 16},  {0x1FFFF, 17, 1}, {0xFFFFFFFF, 32, 16}, {0x3FF00000, 10, 20},
      {0x80000001, 2, 0}, {0xFF00FF, 16, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "mask 0x" << c.mask);
    // The same rule holds in every channel slot.
    const PixelFormat formats[] = {
        {32, c.mask, 0, 0, 0}, {32, 0, c.mask, 0, 0}, {32, 0, 0, c.mask, 0}, {32, 0, 0, 0, c.mask}};
    EXPECT_EQ(formats[0].GetRedBits(), c.bits);
    EXPECT_EQ(formats[0].GetRedShift(), c.shift);
    EXPECT_EQ(formats[1].GetGreenBits(), c.bits);
    EXPECT_EQ(formats[1].GetGreenShift(), c.shift);
    EXPECT_EQ(formats[2].GetBlueBits(), c.bits);
    EXPECT_EQ(formats[2].GetBlueShift(), c.shift);
    EXPECT_EQ(formats[3].GetAlphaBits(), c.bits);
    EXPECT_EQ(formats[3].GetAlphaShift(), c.shift);
  }
}

TEST(PixelFormat, StandardFormats) {
  struct Case {
    const char* name;
    const PixelFormat& format;
    int bitsPerPixel, bytesPerPixel;
    bool indexed, alpha;
    int bits[4];  // red, green, blue, alpha
    int shifts[4];
  };
  const Case cases[] = {
      {"None", Qel::kPixelFormatNone, 0, 0, false, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"Indexed1", Qel::kPixelFormatIndexed1, 1, 0, true, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"Indexed2", Qel::kPixelFormatIndexed2, 2, 0, true, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"Indexed4", Qel::kPixelFormatIndexed4, 4, 0, true, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"Indexed8", Qel::kPixelFormatIndexed8, 8, 1, true, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"X1R5G5B5", Qel::kPixelFormatX1R5G5B5, 16, 2, false, false, {5, 5, 5, 0}, {10, 5, 0, 0}},
      {"A1R5G5B5", Qel::kPixelFormatA1R5G5B5, 16, 2, false, true, {5, 5, 5, 1}, {10, 5, 0, 15}},
      {"R5G6B5", Qel::kPixelFormatR5G6B5, 16, 2, false, false, {5, 6, 5, 0}, {11, 5, 0, 0}},
      {"A4R4G4B4", Qel::kPixelFormatA4R4G4B4, 16, 2, false, true, {4, 4, 4, 4}, {8, 4, 0, 12}},
      // A packed 24-bit pixel is three bytes: stepping by four would run past the end of a row.
      {"R8G8B8", Qel::kPixelFormatR8G8B8, 24, 3, false, false, {8, 8, 8, 0}, {16, 8, 0, 0}},
      {"X8R8G8B8", Qel::kPixelFormatX8R8G8B8, 32, 4, false, false, {8, 8, 8, 0}, {16, 8, 0, 0}},
      {"A8R8G8B8", Qel::kPixelFormatA8R8G8B8, 32, 4, false, true, {8, 8, 8, 8}, {16, 8, 0, 24}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PixelFormat& f = c.format;
    EXPECT_EQ(f.GetBitsPerPixel(), c.bitsPerPixel);
    EXPECT_EQ(f.GetBytesPerPixel(), c.bytesPerPixel);
    EXPECT_EQ(f.IsIndexed(), c.indexed);
    EXPECT_EQ(f.HasAlpha(), c.alpha);
    const int bits[4] = {f.GetRedBits(), f.GetGreenBits(), f.GetBlueBits(), f.GetAlphaBits()};
    const int shifts[4] = {f.GetRedShift(), f.GetGreenShift(), f.GetBlueShift(), f.GetAlphaShift()};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(bits[i], c.bits[i]) << "channel " << i;
      EXPECT_EQ(shifts[i], c.shifts[i]) << "channel " << i;
    }
  }
  EXPECT_EQ(Qel::kPixelFormatA4R4G4B4.GetAlphaMask(), 0xF000u);
  EXPECT_EQ(Qel::kPixelFormatR5G6B5.GetGreenMask(), 0x07E0u);
}

TEST(PixelFormat, OddDepthsHaveNoByteSizeAndNegativeDepthIsNotIndexed) {
  for (int bpp : {-8, 1, 2, 4, 12, 15, 31, 64}) {
    EXPECT_EQ(PixelFormat(bpp).GetBytesPerPixel(), 0) << bpp;
  }
  EXPECT_FALSE(PixelFormat(-8).IsIndexed());
  EXPECT_FALSE(PixelFormat(0).IsIndexed());
  // Any channel mask makes a format packed, whatever its depth.
  EXPECT_FALSE(PixelFormat(8, 0, 0, 0, 0xFF).IsIndexed());
}

TEST(PixelFormat, EqualityCoversDepthAndEveryMask) {
  EXPECT_EQ(PixelFormat(16, 0xF800, 0x07E0, 0x001F, 0), Qel::kPixelFormatR5G6B5);
  EXPECT_EQ(PixelFormat(8), Qel::kPixelFormatIndexed8);
  EXPECT_NE(Qel::kPixelFormatX1R5G5B5, Qel::kPixelFormatA1R5G5B5);
  EXPECT_NE(Qel::kPixelFormatR8G8B8, Qel::kPixelFormatX8R8G8B8);
  EXPECT_NE(Qel::kPixelFormatIndexed4, Qel::kPixelFormatIndexed8);

  // Set re-derives every byte, so a reused value equals a fresh one.
  PixelFormat f = Qel::kPixelFormatA8R8G8B8;
  f.Set(16, 0xF800, 0x07E0, 0x001F, 0);
  EXPECT_EQ(f, Qel::kPixelFormatR5G6B5);
  f.Set(0, 0, 0, 0, 0);
  EXPECT_EQ(f, Qel::kPixelFormatNone);
}
