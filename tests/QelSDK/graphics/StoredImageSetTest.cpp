// Stored-image sets of sprite files below version 7: raw and run-length rows, positions, depths,
// colour keys, and sets that lie about their sizes.
#include <cstdint>
#include <memory>
#include <vector>

#include "ImageTestSupport.h"
#include "graphics/SquishImageHeader.h"
#include "graphics/SquishImageSet.h"
#include "graphics/SquishStream.h"
#include "graphics/StoredImageSet.h"
#include "support/ImageRecords.h"

namespace memtest {
namespace {

constexpr uint32_t kRaw = 0x200;
constexpr uint32_t kRunLength = 0x400;

test::StoredImage Image16(uint16_t width, uint16_t height, uint32_t flags, std::vector<uint8_t> data,
                          uint16_t x = 0, uint16_t y = 0) {
  test::StoredImage image;
  image.width = width;
  image.height = height;
  image.bitsPerPixel = 16;
  image.pitch = static_cast<uint16_t>(width * 2);
  image.flags = flags;
  image.data = std::move(data);
  image.x = x;
  image.y = y;
  return image;
}

test::StoredImageSetRecord Set(uint16_t bits, std::vector<test::StoredImage> images, uint16_t width = 0,
                               uint16_t height = 0) {
  test::StoredImageSetRecord set;
  set.bitsPerPixel = bits;
  set.width = width;
  set.height = height;
  set.images = std::move(images);
  return set;
}

// Units of bits / 8 bytes each, little-endian.
std::vector<uint8_t> Units(int bits, const std::vector<uint32_t>& units) {
  std::vector<uint8_t> bytes;
  for (uint32_t u : units) {
    for (int b = 0; b < bits / 8; ++b) bytes.push_back(static_cast<uint8_t>(u >> (8 * b)));
  }
  return bytes;
}

std::vector<uint8_t> Units16(const std::vector<uint32_t>& units) {
  return Units(16, units);
}

test::StoredImage ImageOf(int bits, uint16_t width, uint16_t height, uint32_t flags,
                          std::vector<uint8_t> data) {
  test::StoredImage image = Image16(width, height, flags, std::move(data));
  image.bitsPerPixel = static_cast<uint16_t>(bits);
  image.pitch = static_cast<uint16_t>(width * bits / 8);
  return image;
}

// Reads a set through the stored-image reader and decodes it into a buffer of its own depth, whatever
// format a device would give it; the buffer starts filled with 0xEE so that every write shows.
struct Decoded {
  bool read = false;
  bool decoded = false;
  SquishImageLayout layout;
  std::vector<uint32_t> values;
  std::vector<uint8_t> buffer;
};

Decoded DecodeSet(const std::vector<uint8_t>& bytes, int bits, int margin = 0) {
  auto stream = StreamOf(bytes);
  SquishStream file(stream.get());
  SquishImageSet set;
  Decoded out;
  out.read = set.Read(file);
  out.layout = {set.GetWidth(), set.GetHeight(), bits, set.GetWidth() * bits / 8};
  // The margin lies past the layout's last row; nothing may be written there.
  out.buffer.assign(static_cast<size_t>(out.layout.pitch) * out.layout.height + margin, 0xEE);
  out.decoded = set.Decode(out.buffer.data(), out.layout);
  for (int y = 0; y < out.layout.height; ++y) {
    for (int x = 0; x < out.layout.width; ++x) {
      uint32_t v = 0;
      for (int b = 0; b < bits / 8; ++b) {
        v |= uint32_t{out.buffer[static_cast<size_t>(y) * out.layout.pitch + x * bits / 8 + b]} << (8 * b);
      }
      out.values.push_back(v);
    }
  }
  return out;
}

class StoredImageSetTest : public ImageTest {
protected:
  // The set's surface on a display that keeps every format; null when none was made.
  MemorySurface* Read(const std::vector<uint8_t>& bytes) {
    auto stream = StreamOf(bytes);
    surface.reset();
    read = Qel::ReadStoredImageSet(surface, &blending, *stream);
    return dynamic_cast<MemorySurface*>(surface.get());
  }

  std::shared_ptr<Qel::DrawingSurface> surface;
  bool read = false;
};

TEST_F(StoredImageSetTest, RawAndRunLengthImagesDecodeAtTheirPositionsOntoACleanBuffer) {
  // A 2 x 2 raw image with rows padded to 6 bytes at (1, 0), a 3 x 1 run-length image at (0, 3): the set
  // grows to 3 x 4, and what neither covers is 0.
  test::StoredImage raw =
      Image16(2, 2, kRaw, {0x11, 0x11, 0x22, 0x22, 0xEE, 0xEE, 0x33, 0x33, 0x44, 0x44, 0xEE, 0xEE}, 1, 0);
  raw.pitch = 6;
  test::StoredImage runs = Image16(3, 1, kRunLength, Units16({0x8000, 0x5555, 0x0001, 0x6666}), 0, 3);
  MemorySurface* pixels = Read(test::WriteStoredImageSet(Set(16, {raw, runs})));
  ASSERT_TRUE(read);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->GetPixelFormat(), Qel::kPixelFormatA4R4G4B4);
  ASSERT_EQ(pixels->GetWidth(), 3);
  ASSERT_EQ(pixels->GetHeight(), 4);
  EXPECT_EQ(PixelsOf(*pixels), (std::vector<uint32_t>{0, 0x1111, 0x2222,  //
                                                      0, 0x3333, 0x4444,  //
                                                      0, 0, 0,            //
                                                      0x5555, 0x6666, 0x6666}));
  EXPECT_TRUE(pixels->HasColorKey());
}

TEST_F(StoredImageSetTest, RunLengthUnitsOfEveryDepth) {
  struct Case {
    int bits;
    uint16_t width;
    uint16_t height;
    std::vector<uint32_t> units;
    std::vector<uint32_t> expected;
  };
  const Case cases[] = {
      // Literal a b c, then d twice.
      {8, 5, 1, {0x82, 'a', 'b', 'c', 0x01, 'd'}, {'a', 'b', 'c', 'd', 'd'}},
      // 0x8000 is followed by exactly one literal pixel.
      {16, 2, 1, {0x8000, 0x1234, 0x0000, 0x5678}, {0x1234, 0x5678}},
      // The source runs on across rows without alignment.
      {16, 3, 2, {0x0002, 0x0A0A, 0x8002, 1, 2, 3}, {0x0A0A, 0x0A0A, 0x0A0A, 1, 2, 3}},
      {32, 3, 1, {0x80000000, 0xFF112233, 0x00000001, 0x80FFFFFF}, {0xFF112233, 0x80FFFFFF, 0x80FFFFFF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits");
    const Decoded d =
        DecodeSet(test::WriteStoredImageSet(
                      Set(static_cast<uint16_t>(c.bits),
                          {ImageOf(c.bits, c.width, c.height, kRunLength, Units(c.bits, c.units))})),
                  c.bits);
    EXPECT_TRUE(d.read);
    EXPECT_TRUE(d.decoded);
    EXPECT_EQ(d.values, c.expected);
  }
}

// "0x7FFF repeats the next pixel 32768 times": a run that long went on past the row and the buffer.
// A run ends at its row's end; the next row starts with the next unit.
TEST_F(StoredImageSetTest, RunsStopAtTheEndOfTheirRow) {
  struct Case {
    const char* what;
    int bits;
    std::vector<uint32_t> units;
    std::vector<uint32_t> expected;
  };
  const Case cases[] = {
      {"repeat 32768",
       16,
       {0x7FFF, 0x1111, 0x7FFF, 0x2222},
       {0x1111, 0x1111, 0x1111, 0x2222, 0x2222, 0x2222}},
      {"repeat 2^31", 32, {0x7FFFFFFF, 7, 0x7FFFFFFF, 9}, {7, 7, 7, 9, 9, 9}},
      {"repeat 128", 8, {0x7F, 1, 0x7F, 2}, {1, 1, 1, 2, 2, 2}},
      // A literal run past the row's end: its remaining values are read past, not drawn.
      {"literal 5 in a row of 3", 16, {0x8004, 1, 2, 3, 4, 5, 0x0002, 6}, {1, 2, 3, 6, 6, 6}},
      {"literal 32768 with too few values", 16, {0x0002, 4, 0xFFFF, 1, 2}, {4, 4, 4, 1, 2, 0xEEEE}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Decoded d =
        DecodeSet(test::WriteStoredImageSet(Set(static_cast<uint16_t>(c.bits),
                                                {ImageOf(c.bits, 3, 2, kRunLength, Units(c.bits, c.units))})),
                  c.bits, 64);
    EXPECT_TRUE(d.decoded);
    std::vector<uint32_t> expected = c.expected;
    if (c.bits == 32) {
      for (uint32_t& v : expected) v = v == 0xEEEE ? 0xEEEEEEEE : v;
    } else if (c.bits == 8) {
      for (uint32_t& v : expected) v = v == 0xEEEE ? 0xEE : v;
    }
    EXPECT_EQ(d.values, expected);
    const std::vector<uint8_t> margin(d.buffer.end() - 64, d.buffer.end());
    EXPECT_EQ(margin, std::vector<uint8_t>(64, 0xEE));
  }
}

// Data shorter than the image's rows is read only as far as it goes: raw rows are copied to the
// data's end, run-length decoding stops at the last whole unit.
TEST_F(StoredImageSetTest, DecodingReadsNoFurtherThanTheImagesData) {
  struct Case {
    const char* what;
    uint32_t flags;
    std::vector<uint8_t> data;
    std::vector<uint32_t> expected;
  };
  const Case cases[] = {
      {"raw, a row and a half", kRaw, {1, 0, 2, 0, 3, 0, 4, 0}, {1, 2, 3, 4, 0, 0, 0, 0, 0}},
      {"raw, half a pixel", kRaw, {1, 0, 2, 0, 3, 0, 9}, {1, 2, 3, 9, 0, 0, 0, 0, 0}},
      {"run-length, a run without its pixel",
       kRunLength,
       {0x02, 0x00, 5, 0, 0x02, 0x00},
       {5, 5, 5, 0, 0, 0, 0, 0, 0}},
      {"run-length, half a unit", kRunLength, {0x02, 0x80, 5, 0, 6, 0, 7}, {5, 6, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemorySurface* pixels = Read(test::WriteStoredImageSet(Set(16, {Image16(3, 3, c.flags, c.data)})));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(PixelsOf(*pixels), c.expected);
  }
}

TEST_F(StoredImageSetTest, AnImageOfAnotherDepthIsDroppedAndOnlyTheFirstDepthCounts) {
  test::StoredImage first = ImageOf(32, 1, 1, kRaw, {1, 2, 3, 4});
  test::StoredImage other = ImageOf(16, 4, 4, kRaw, std::vector<uint8_t>(32, 7));
  auto stream = StreamOf(test::WriteStoredImageSet(Set(0, {first, other})));
  SquishStream file(stream.get());
  SquishImageSet set;
  ASSERT_TRUE(set.Read(file));
  EXPECT_EQ(set.GetImageCount(), 1u);
  EXPECT_EQ(set.GetBitsPerPixel(), 32);
  EXPECT_EQ(set.GetWidth(), 1);
  EXPECT_EQ(set.GetHeight(), 1);
  // A depth taken from the image sets no alpha: only a set header of 32 bits does.
  EXPECT_FALSE(set.HasAlpha());
  EXPECT_EQ(set.GetPixelFormat(), Qel::PixelFormat(0));
}

TEST_F(StoredImageSetTest, SetsOf8Or24BitsHaveTheEmptyFormatAndNoDecodedPixels) {
  for (const int bits : {8, 24}) {
    SCOPED_TRACE(bits);
    blending.requests.clear();
    Read(test::WriteStoredImageSet(
        Set(static_cast<uint16_t>(bits), {ImageOf(bits, 2, 2, kRaw, std::vector<uint8_t>(bits / 2, 9))})));
    ASSERT_EQ(blending.requests.size(), 1u);
    EXPECT_EQ(blending.requests[0].format, Qel::PixelFormat(0));
    EXPECT_EQ(blending.requests[0].pitch, 0);
    EXPECT_FALSE(read);
    EXPECT_EQ(surface, nullptr);
  }
}

TEST_F(StoredImageSetTest, A32BitSetIsA8R8G8B8) {
  MemorySurface* pixels =
      Read(test::WriteStoredImageSet(Set(32, {ImageOf(32, 2, 1, kRaw, {1, 2, 3, 4, 5, 6, 7, 8})})));
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->GetPixelFormat(), Qel::kPixelFormatA8R8G8B8);
  EXPECT_EQ(PixelsOf(*pixels), (std::vector<uint32_t>{0x04030201, 0x08070605}));
}

// A data size beyond the stream holds only the bytes that are there, whatever the header claims, and
// those decode like any others beside what was read before.
TEST_F(StoredImageSetTest, SizesBeyondTheStreamHoldOnlyWhatTheStreamHas) {
  test::StoredImage good = Image16(1, 1, kRaw, {0x34, 0x12});
  for (const uint32_t claimed : {0xFFFFFFFFu, 3u}) {
    SCOPED_TRACE(claimed);
    test::StoredImage lying = Image16(1, 1, kRaw, {0x78, 0x56}, 1, 0);
    lying.dataSize = claimed;
    const std::vector<uint8_t> bytes = test::WriteStoredImageSet(Set(16, {good, lying}));
    MemorySurface* pixels = Read(bytes);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(PixelsOf(*pixels), (std::vector<uint32_t>{0x1234, 0x5678}));

    auto stream = StreamOf(bytes);
    SquishStream file(stream.get());
    SquishImageSet set;
    ASSERT_TRUE(set.Read(file));
    ASSERT_EQ(set.GetImageCount(), 2u);
    EXPECT_EQ(set.GetImage(1).GetHeader().GetDataSize(), claimed);
    EXPECT_EQ(set.GetImage(1).GetDataSize(), 2u);
  }
}

// A file that ends inside an image's data: the pixels that arrived are decoded, those it did not reach
// stay clear, and the images before it stand.
TEST_F(StoredImageSetTest, AnImageCutShortInItsDataDecodesWhatArrived) {
  struct Case {
    const char* what;
    test::StoredImage image;
    size_t cut;  // bytes cut from the end of the file
    std::vector<uint32_t> expected;
  };
  const test::StoredImage raw = Image16(3, 2, kRaw, {1, 0, 2, 0, 3, 0, 4, 1, 5, 0, 6, 0}, 0, 1);
  const test::StoredImage runs = Image16(3, 2, kRunLength, Units16({0x8002, 1, 2, 3, 0x0002, 7}), 0, 1);
  const Case cases[] = {
      {"raw, a row and a half", raw, 4, {9, 9, 9, 1, 2, 3, 0x104, 0, 0}},
      {"raw, half a pixel", raw, 5, {9, 9, 9, 1, 2, 3, 4, 0, 0}},
      {"raw, only the first byte", raw, 11, {9, 9, 9, 1, 0, 0, 0, 0, 0}},
      {"run-length, a literal run cut inside", runs, 6, {9, 9, 9, 1, 2, 0, 0, 0, 0}},
      {"run-length, a repeat without its pixel", runs, 2, {9, 9, 9, 1, 2, 3, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes =
        test::WriteStoredImageSet(Set(16, {Image16(3, 1, kRaw, {9, 0, 9, 0, 9, 0}), c.image}));
    bytes.resize(bytes.size() - c.cut);
    MemorySurface* pixels = Read(bytes);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(PixelsOf(*pixels), c.expected);
  }
}

// A set's header claims up to 65535 x 65535 pixels for nothing; its buffer is allocated and copied whole.
TEST_F(StoredImageSetTest, ASetTooLargeToHoldMakesNoSurface) {
  for (const auto& [width, height] :
       {std::pair<uint16_t, uint16_t>{65535, 65535}, {65535, 300}, {2048, 2049}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    Read(test::WriteStoredImageSet(Set(32, {ImageOf(32, 1, 1, kRaw, {1, 2, 3, 4})}, width, height)));
    EXPECT_FALSE(read);
    EXPECT_EQ(surface, nullptr);
  }
  EXPECT_TRUE(blending.requests.empty());
  // An image's position and size add to 131070 pixels without wrapping.
  test::StoredImage far = ImageOf(16, 65535, 1, kRaw, {1, 0});
  far.x = 65535;
  auto stream = StreamOf(test::WriteStoredImageSet(Set(16, {far})));
  SquishStream file(stream.get());
  SquishImageSet set;
  ASSERT_TRUE(set.Read(file));
  EXPECT_EQ(set.GetWidth(), 131070);
  EXPECT_EQ(set.GetBufferSize(), 262140u);
}

TEST_F(StoredImageSetTest, ATruncatedSetDecodesWhatItHolds) {
  const std::vector<uint8_t> whole = test::WriteStoredImageSet(
      Set(16, {Image16(2, 1, kRaw, {1, 0, 2, 0}), Image16(2, 1, kRaw, {3, 0, 4, 0}, 0, 1)}));
  // Cut inside the second image's header: the first image stands.
  const std::vector<uint8_t> cut(whole.begin(), whole.begin() + 8 + 28 + 10);
  MemorySurface* pixels = Read(cut);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(PixelsOf(*pixels), (std::vector<uint32_t>{1, 2}));
}

TEST_F(StoredImageSetTest, ColourKeysPackForEachLayoutCode) {
  // Stored bytes blue, green, red, alpha.
  const uint8_t key[4] = {0x1F, 0x84, 0xF8, 0x80};
  struct Case {
    uint32_t code;
    uint32_t packed;
  };
  const Case cases[] = {
      {1, 0x1F},
      {2, (0x1Fu << 11) | (0x10u << 6) | (0x03u << 1) | 1},
      {4, (1u << 15) | (0x1Fu << 10) | (0x10u << 5) | 0x03u},
      {8, (0x1Fu << 11) | (0x21u << 5) | 0x03u},
      {16, (0x03u << 11) | (0x10u << 6) | (0x1Fu << 1) | 1},
      {32, (0x03u << 11) | (0x21u << 5) | 0x1Fu},
      {64, 0x80F8841F},
      {128, 0x80F8841F},
      {0x40000, 0x8F81},
      {3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    test::StoredImage image = Image16(1, 1, kRaw | 0x1000 | c.code, {0, 0});
    std::copy(key, key + 4, image.key);
    auto stream = StreamOf(test::WriteStoredImageSet(Set(16, {image})));
    SquishStream file(stream.get());
    SquishImageSet set;
    ASSERT_TRUE(set.Read(file));
    const SquishImageHeader& header = set.GetImage(0).GetHeader();
    EXPECT_EQ(header.GetColorKey(), 0x80F8841Fu);
    EXPECT_EQ(header.GetPackedKey(), c.packed);
  }
}

}  // namespace
}  // namespace memtest
