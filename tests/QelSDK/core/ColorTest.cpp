// Colours: packing into and unpacking from pixel formats, comparison and the named colours.
#include <gtest/gtest.h>

#include "core/Color.h"

using Qel::Color;
using Qel::PixelFormat;

namespace {

// A format with 10-bit colour channels and a 2-bit alpha.
constexpr PixelFormat kA2R10G10B10{32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};

void ExpectChannels(const Color& c, int r, int g, int b, int a) {
  EXPECT_EQ(c.Red(), r);
  EXPECT_EQ(c.Green(), g);
  EXPECT_EQ(c.Blue(), b);
  EXPECT_EQ(c.Alpha(), a);
}

}  // namespace

TEST(Color, PackScalesEachChannelWithRounding) {
  struct Case {
    const char* name;
    PixelFormat format;
    uint8_t r, g, b, a;
    uint32_t packed;
  };
  const Case cases[] = {
      {"R5G6B5 red 255", Qel::kPixelFormatR5G6B5, 255, 0, 0, 255, 0xF800},
      {"R5G6B5 red 128 -> 16", Qel::kPixelFormatR5G6B5, 128, 0, 0, 255, 16u << 11},
      {"R5G6B5 green 128 -> 32", Qel::kPixelFormatR5G6B5, 0, 128, 0, 0, 32u << 5},
      {"R5G6B5 white", Qel::kPixelFormatR5G6B5, 255, 255, 255, 255, 0xFFFF},
      {"A8R8G8B8 unchanged", Qel::kPixelFormatA8R8G8B8, 0x12, 0x34, 0x56, 0x78, 0x78123456},
      {"X8R8G8B8 drops alpha", Qel::kPixelFormatX8R8G8B8, 0x12, 0x34, 0x56, 0x78, 0x00123456},
      {"R8G8B8", Qel::kPixelFormatR8G8B8, 1, 2, 3, 4, 0x010203},
      {"A1R5G5B5 alpha 127 -> 0", Qel::kPixelFormatA1R5G5B5, 255, 255, 255, 127, 0x7FFF},
      {"A1R5G5B5 alpha 128 -> 1", Qel::kPixelFormatA1R5G5B5, 255, 255, 255, 128, 0xFFFF},
      {"X1R5G5B5 opaque black", Qel::kPixelFormatX1R5G5B5, 0, 0, 0, 255, 0},
      {"A4R4G4B4", Qel::kPixelFormatA4R4G4B4, 255, 0, 128, 255, 0xFF08},
      // Channels wider than 8 bits are scaled to their full width and stay inside their masks.
      {"10-bit channels", kA2R10G10B10, 255, 128, 0, 255, 0xFFF80800},
      {"16-bit channel", PixelFormat(32, 0, 0, 0xFFFF, 0), 0, 0, 128, 0, 0x8080},
      {"32-bit channel", PixelFormat(32, 0xFFFFFFFF, 0, 0, 0), 255, 0, 0, 0, 0xFFFFFFFF},
      {"split mask keeps out of the gap", PixelFormat(16, 0x0F0F, 0x00F0, 0, 0), 128, 0, 0, 0, 0x070F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Color(c.format, c.r, c.g, c.b, c.a).GetPacked(), c.packed);
  }
}

TEST(Color, UnpackExpandsEachChannel) {
  struct Case {
    const char* name;
    PixelFormat format;
    uint32_t packed;
    int r, g, b, a;
  };
  const Case cases[] = {
      {"5-bit 31 -> 255, no alpha mask -> 255", Qel::kPixelFormatR5G6B5, 0xFFFF, 255, 255, 255, 255},
      {"5-bit 16 -> 132", Qel::kPixelFormatR5G6B5, 16u << 11, 132, 0, 0, 255},
      {"A1R5G5B5 alpha bit only", Qel::kPixelFormatA1R5G5B5, 0x8000, 0, 0, 0, 255},
      {"A1R5G5B5 without alpha bit", Qel::kPixelFormatA1R5G5B5, 0x7FFF, 255, 255, 255, 0},
      {"X1R5G5B5 zero is opaque", Qel::kPixelFormatX1R5G5B5, 0, 0, 0, 0, 255},
      {"X1R5G5B5 ignores the top bit", Qel::kPixelFormatX1R5G5B5, 0x8000, 0, 0, 0, 255},
      {"8-bit unchanged", Qel::kPixelFormatA8R8G8B8, 0x78123456, 0x12, 0x34, 0x56, 0x78},
      {"A4R4G4B4", Qel::kPixelFormatA4R4G4B4, 0x8421, 68, 34, 17, 136},
      {"10-bit channels", kA2R10G10B10, 0xFFF80800, 255, 128, 0, 255},
      {"32-bit channel", PixelFormat(32, 0xFFFFFFFF, 0, 0, 0), 0x80000000, 128, 0, 0, 255},
      {"indexed clears the channels", Qel::kPixelFormatIndexed8, 0x2A, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Color color(0xFFFFFFFF);
    color.Unpack(c.format, c.packed);
    ExpectChannels(color, c.r, c.g, c.b, c.a);
    EXPECT_EQ(color.GetPacked(), c.packed);
  }
}

TEST(Color, EveryStoredValueSurvivesUnpackAndPack) {
  struct Case {
    const char* name;
    PixelFormat format;
    uint32_t mask;
    int shift;
  };
  const Case cases[] = {
      {"R5G6B5 red", Qel::kPixelFormatR5G6B5, 0xF800, 11},
      {"R5G6B5 green", Qel::kPixelFormatR5G6B5, 0x07E0, 5},
      {"A4R4G4B4 alpha", Qel::kPixelFormatA4R4G4B4, 0xF000, 12},
      {"A8R8G8B8 blue", Qel::kPixelFormatA8R8G8B8, 0xFF, 0},
      {"A1R5G5B5 alpha", Qel::kPixelFormatA1R5G5B5, 0x8000, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (uint32_t v = 0; v <= c.mask >> c.shift; ++v) {
      Color color;
      color.Unpack(c.format, v << c.shift);
      color.Pack(c.format);
      EXPECT_EQ(color.GetPacked(), v << c.shift) << "stored value " << v;
    }
  }
}

TEST(Color, ConstructionConversionAndIndexedFormats) {
  ExpectChannels(Color(), 0, 0, 0, 0);
  EXPECT_EQ(Color().GetPacked(), 0u);

  // Without a format, values are read and written as A8R8G8B8.
  const Color fromPacked(0x80FF4020u);
  ExpectChannels(fromPacked, 0xFF, 0x40, 0x20, 0x80);
  EXPECT_EQ(Color(0xFF, 0x40, 0x20, 0x80).GetPacked(), 0x80FF4020u);
  Color set;
  set.SetPacked(0x01020304);
  ExpectChannels(set, 2, 3, 4, 1);

  Color converted;
  const Color& result = fromPacked.ConvertTo(converted, Qel::kPixelFormatR5G6B5);
  EXPECT_EQ(&result, &converted);
  ExpectChannels(converted, 0xFF, 0x40, 0x20, 0x80);
  EXPECT_EQ(converted.GetPacked(), (31u << 11) | (16u << 5) | 4u);
  EXPECT_EQ(fromPacked.GetPacked(), 0x80FF4020u);

  // An indexed format has nowhere to put channels: packing keeps the previous value.
  Color indexed(0x11223344u);
  indexed.Pack(Qel::kPixelFormatIndexed8);
  EXPECT_EQ(indexed.GetPacked(), 0x11223344u);
  EXPECT_EQ(Color(Qel::kPixelFormatIndexed8, 255, 255, 255, 255).GetPacked(), 0u);
}

TEST(Color, InequalityComparesChannelsOnly) {
  const Color a(Qel::kPixelFormatA8R8G8B8, 255, 0, 255, 255);
  const Color b(Qel::kPixelFormatR5G6B5, 255, 0, 255, 255);
  ASSERT_NE(a.GetPacked(), b.GetPacked());
  EXPECT_FALSE(a != b);

  const Color others[] = {{254, 0, 255, 255}, {255, 1, 255, 255}, {255, 0, 254, 255}, {255, 0, 255, 254}};
  for (const Color& other : others) EXPECT_TRUE(a != other);
}

TEST(Color, NamedColours) {
  struct Case {
    const char* name;
    const Color& (*get)(const PixelFormat&);
    int r, g, b, a;
    uint32_t packed32;
  };
  const Case cases[] = {
      {"Black", &Color::Black, 0, 0, 0, 255, 0xFF000000},
      {"White", &Color::White, 255, 255, 255, 255, 0xFFFFFFFF},
      {"Magenta", &Color::Magenta, 255, 0, 255, 255, 0xFFFF00FF},
      {"TransparentBlack", &Color::TransparentBlack, 0, 0, 0, 0, 0},
      {"TransparentMagenta", &Color::TransparentMagenta, 255, 0, 255, 0, 0x00FF00FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Color& color = c.get(Qel::kPixelFormatA8R8G8B8);
    ExpectChannels(color, c.r, c.g, c.b, c.a);
    EXPECT_EQ(color.GetPacked(), c.packed32);
    EXPECT_EQ(&c.get(Qel::kPixelFormatA8R8G8B8), &color);
  }
}

TEST(Color, NamedColourIsPackedForEachFormatAskedFor) {
  const Color& black16 = Color::Black(Qel::kPixelFormatR5G6B5);
  const Color& black32 = Color::Black(Qel::kPixelFormatA8R8G8B8);
  EXPECT_EQ(black16.GetPacked(), 0u);
  EXPECT_EQ(black32.GetPacked(), 0xFF000000u);

  const Color& magenta16 = Color::Magenta(Qel::kPixelFormatR5G6B5);
  EXPECT_EQ(magenta16.GetPacked(), 0xF81Fu);
  EXPECT_EQ(Color::Magenta(Qel::kPixelFormatA1R5G5B5).GetPacked(), 0xFC1Fu);
  EXPECT_EQ(Color::Magenta(Qel::kPixelFormatX1R5G5B5).GetPacked(), 0x7C1Fu);

  // Many more formats later, the references handed out earlier still hold their values.
  for (int bpp = 1; bpp <= 64; ++bpp) Color::Magenta(PixelFormat(bpp, 0xF800, 0x07E0, 0x001F, 0));
  EXPECT_EQ(magenta16.GetPacked(), 0xF81Fu);
  EXPECT_EQ(&Color::Magenta(Qel::kPixelFormatR5G6B5), &magenta16);
  EXPECT_EQ(&Color::Black(Qel::kPixelFormatR5G6B5), &black16);
  EXPECT_EQ(black32.GetPacked(), 0xFF000000u);
}
