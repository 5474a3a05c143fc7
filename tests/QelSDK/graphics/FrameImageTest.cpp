// Version-7 frame image records: every standard format read eagerly and kept compressed, tiling
// beyond the largest device surface, and records that lie about themselves.
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ImageTestSupport.h"
#include "core/LittleEndian.h"
#include "graphics/CompressedSurface.h"
#include "graphics/FrameImage.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "support/ImageRecords.h"

namespace memtest {
namespace {

using Qel::PixelFormat;

test::FrameImageRecord RecordOf(const PixelFormat& format, int width, int height, int pitch) {
  test::FrameImageRecord record;
  record.bitsPerPixel = format.GetBitsPerPixel();
  record.redMask = format.GetRedMask();
  record.greenMask = format.GetGreenMask();
  record.blueMask = format.GetBlueMask();
  record.alphaMask = format.GetAlphaMask();
  record.width = width;
  record.height = height;
  record.pitch = pitch;
  record.pixels.resize(static_cast<size_t>(pitch) * height);
  for (size_t i = 0; i < record.pixels.size(); ++i) record.pixels[i] = static_cast<uint8_t>(i * 37 + 11);
  return record;
}

// The pixel values the record's rows hold, without the padding.
std::vector<uint32_t> ValuesOf(const test::FrameImageRecord& record) {
  const int bytes = static_cast<int>(record.bitsPerPixel / 8);
  std::vector<uint32_t> values;
  for (uint32_t y = 0; y < record.height; ++y) {
    for (uint32_t x = 0; x < record.width; ++x) {
      uint32_t v = 0;
      for (int b = 0; b < bytes; ++b)
        v |= uint32_t{record.pixels[y * record.pitch + x * bytes + b]} << (8 * b);
      values.push_back(v);
    }
  }
  return values;
}

class FrameImageTest : public ImageTest {
protected:
  bool Read(const std::vector<uint8_t>& bytes, bool keepCompressed, Qel::DisplayDevice& device) {
    auto stream = StreamOf(bytes);
    return Qel::ReadFrameImage(7, surface, &device, *stream, keepCompressed);
  }

  // The memory surface behind what was read: itself, or the inner surface of a compressed one.
  MemorySurface* Pixels() {
    Qel::DrawingSurface* s = surface.get();
    if (auto* compressed = dynamic_cast<Qel::CompressedSurface*>(s)) s = compressed->EnsureUncompressed();
    return dynamic_cast<MemorySurface*>(s);
  }

  std::shared_ptr<Qel::DrawingSurface> surface;
};

TEST_F(FrameImageTest, EveryStandardFormatDecodesToItsRowsEagerlyAndKeptCompressed) {
  const PixelFormat formats[] = {Qel::kPixelFormatA8R8G8B8, Qel::kPixelFormatX8R8G8B8,
                                 Qel::kPixelFormatR8G8B8,   Qel::kPixelFormatR5G6B5,
                                 Qel::kPixelFormatX1R5G5B5, Qel::kPixelFormatA1R5G5B5,
                                 Qel::kPixelFormatA4R4G4B4, Qel::kPixelFormatIndexed8};
  for (const PixelFormat& format : formats) {
    for (const bool compressed : {true, false}) {
      for (const bool keep : {false, true}) {
        SCOPED_TRACE(testing::Message()
                     << format.GetBitsPerPixel() << " bits, masks " << std::hex << format.GetRedMask() << "/"
                     << format.GetAlphaMask() << (compressed ? ", zlib" : ", raw")
                     << (keep ? ", kept" : ", eager"));
        // Rows padded by an odd number of bytes, so a reader that assumes packed rows shows.
        test::FrameImageRecord record = RecordOf(format, 5, 3, 5 * format.GetBytesPerPixel() + 3);
        record.compressed = compressed;
        surface.reset();
        ASSERT_TRUE(Read(test::WriteFrameImage(record), keep, blending));
        EXPECT_EQ(dynamic_cast<Qel::CompressedSurface*>(surface.get()) != nullptr, keep && compressed);
        MemorySurface* pixels = Pixels();
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(pixels->GetPixelFormat(), format);
        EXPECT_EQ(PixelsOf(*pixels), ValuesOf(record));
        EXPECT_EQ(surface->GetColorKey().Red(), 0xFF);
        EXPECT_EQ(surface->GetColorKey().Blue(), 0xFF);
        EXPECT_EQ(surface->GetColorKey().Alpha(), 0);
      }
    }
  }
}

TEST_F(FrameImageTest, RecordsFollowOneAnotherAndARefusedOneIsSkippedWhole) {
  test::FrameImageRecord good = RecordOf(Qel::kPixelFormatR5G6B5, 4, 2, 8);
  test::FrameImageRecord badDepth = good;
  badDepth.bitsPerPixel = 12;
  test::FrameImageRecord badRaw = good;
  badRaw.compressed = false;
  badRaw.pitch = 2;  // below the width; the rows that follow are still height x pitch bytes
  badRaw.pixels.resize(4);
  std::vector<uint8_t> bytes;
  for (const auto& record : {badDepth, good, badRaw, good}) {
    const std::vector<uint8_t> one = test::WriteFrameImage(record);
    bytes.insert(bytes.end(), one.begin(), one.end());
  }
  auto stream = StreamOf(bytes);
  for (const bool expected : {false, true, false, true}) {
    std::shared_ptr<Qel::DrawingSurface> out;
    EXPECT_EQ(Qel::ReadFrameImage(7, out, &blending, *stream, false), expected);
    if (expected) {
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(PixelsOf(*dynamic_cast<MemorySurface*>(out.get())), ValuesOf(good));
    }
  }
  EXPECT_EQ(stream->Tell(), bytes.size());
}

TEST_F(FrameImageTest, TheLargestSurfaceIsUnlimitedUntilSetAndValuesBelowOneMeanUnlimited) {
  int32_t width = 0;
  int32_t height = 0;
  Qel::GetMaxSurfaceSize(width, height);
  EXPECT_EQ(width, 0x7FFFFFFF);
  EXPECT_EQ(height, 0x7FFFFFFF);
  Qel::SetMaxSurfaceSize(128, 64);
  Qel::GetMaxSurfaceSize(width, height);
  EXPECT_EQ(width, 128);
  EXPECT_EQ(height, 64);
  Qel::SetMaxSurfaceSize(0, -5);
  Qel::GetMaxSurfaceSize(width, height);
  EXPECT_EQ(width, 0x7FFFFFFF);
  EXPECT_EQ(height, 0x7FFFFFFF);
}

struct TileCase {
  int width;
  int height;
  bool keep;
  int maxSize;
  std::vector<std::pair<int, int>> tiles;  // empty: one device surface
};

TEST_F(FrameImageTest, ImagesBeyondTheLargestSurfaceAreTilesThatDrawAsTheWhole) {
  const TileCase cases[] = {
      {129, 129, false, 128, {{128, 128}, {1, 128}, {128, 1}, {1, 1}}},
      {129, 129, true, 128, {{128, 128}, {1, 128}, {128, 1}, {1, 1}}},
      {128, 128, false, 128, {}},
      {128, 128, true, 128, {}},
      {200, 100, false, 128, {{128, 100}, {72, 100}}},
      {300, 200, true, 128, {{128, 128}, {128, 128}, {44, 128}, {128, 72}, {128, 72}, {44, 72}}},
      // The eager reader tiles at the largest size, an inflated image always at 128.
      {300, 200, false, 256, {{256, 200}, {44, 200}}},
      {300, 200, true, 256, {{128, 128}, {128, 128}, {44, 128}, {128, 72}, {128, 72}, {44, 72}}},
  };
  for (const TileCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.keep ? " kept" : " eager")
                                    << " under " << c.maxSize);
    Qel::SetMaxSurfaceSize(c.maxSize, c.maxSize);
    const std::vector<uint32_t> gradient = Gradient(c.width, c.height);
    surface.reset();
    ASSERT_TRUE(Read(test::WriteFrameImage(test::ArgbImage(c.width, c.height, gradient)), c.keep, blending));
    Qel::DrawingSurface* inner = surface.get();
    if (auto* compressed = dynamic_cast<Qel::CompressedSurface*>(inner))
      inner = compressed->EnsureUncompressed();
    auto* tiled = dynamic_cast<Qel::MultiSurface*>(inner);
    ASSERT_EQ(tiled != nullptr, !c.tiles.empty());
    if (tiled) {
      ASSERT_EQ(tiled->GetTileCount(), c.tiles.size());
      for (size_t i = 0; i < c.tiles.size(); ++i) {
        EXPECT_EQ(tiled->GetTile(i)->GetWidth(), c.tiles[i].first) << "tile " << i;
        EXPECT_EQ(tiled->GetTile(i)->GetHeight(), c.tiles[i].second) << "tile " << i;
      }
    }
    EXPECT_EQ(surface->GetWidth(), c.width);
    EXPECT_EQ(surface->GetHeight(), c.height);
    MemorySurface whole(c.width, c.height, Qel::kPixelFormatA8R8G8B8);
    EXPECT_EQ(surface->CopyTo(&whole, Qel::Point2(0, 0)), 0);
    EXPECT_EQ(PixelsOf(whole), gradient);
  }
}

TEST_F(FrameImageTest, AKeptImageStaysCompressedUntilDrawnThenTakesTheDisplayFormat) {
  // Opaque red-ish, the transparent magenta key, and a colour of every channel width.
  const std::vector<uint32_t> pixels = {0xFFFF8001, 0xFFFF00FF, 0x80123456, 0xFF00FF00};
  ASSERT_TRUE(Read(test::WriteFrameImage(test::ArgbImage(2, 2, pixels)), true, display));
  auto* compressed = dynamic_cast<Qel::CompressedSurface*>(surface.get());
  ASSERT_NE(compressed, nullptr);
  EXPECT_EQ(surface->GetWidth(), 2);
  EXPECT_EQ(surface->GetHeight(), 2);
  EXPECT_EQ(surface->GetPixelFormat(), Qel::kPixelFormatA8R8G8B8);
  EXPECT_TRUE(surface->HasColorKey());
  EXPECT_EQ(surface->GetStorageWidth(), 0);
  EXPECT_EQ(surface->GetStorageHeight(), 0);
  EXPECT_FALSE(compressed->IsUncompressed());
  EXPECT_TRUE(display.requests.empty());

  MemorySurface* back = display.BackBuffer();
  back->DrawRectangle(nullptr, 0, Qel::Color(), Qel::Color(0x12, 0x34, 0x56, 0xFF));
  const uint32_t background = back->PixelAt(0, 1);
  ASSERT_EQ(surface->BlitTo(back, Qel::Point2(0, 0)), 0);
  EXPECT_TRUE(compressed->IsUncompressed());
  EXPECT_EQ(surface->GetStorageWidth(), 2);
  EXPECT_EQ(surface->GetPixelFormat(), Qel::kPixelFormatR5G6B5);
  ASSERT_EQ(display.requests.size(), 1u);
  EXPECT_EQ(display.requests[0].pitch, 4);
  EXPECT_EQ(display.requests[0].format, Qel::kPixelFormatR5G6B5);
  // Red 0xFF is 31 and green 0x80 is 32 in R5G6B5; the key pixel is left out of the blit.
  EXPECT_EQ(back->PixelAt(0, 0), 0xFC00u);
  EXPECT_EQ(back->PixelAt(1, 0), background);
  EXPECT_EQ(back->PixelAt(1, 1), 0x07E0u);

  // Inflated once: a second draw asks the device for nothing.
  ASSERT_EQ(surface->BlitTo(back, Qel::Point2(0, 0)), 0);
  EXPECT_EQ(display.requests.size(), 1u);
}

TEST_F(FrameImageTest, OnABlendingDisplayAKeptImageKeepsItsOwnFormat) {
  const std::vector<uint32_t> pixels = {0x80FF8001, 0x00000000};
  ASSERT_TRUE(Read(test::WriteFrameImage(test::ArgbImage(2, 1, pixels)), true, blending));
  ASSERT_EQ(surface->CopyTo(blending.BackBuffer(), Qel::Point2(3, 3)), 0);
  ASSERT_EQ(blending.requests.size(), 1u);
  EXPECT_EQ(blending.requests[0].format, Qel::kPixelFormatA8R8G8B8);
  EXPECT_EQ(blending.BackBuffer()->PixelAt(3, 3), 0x80FF8001u);
}

// A packed 24-bit row read as 32-bit words runs one byte past its end, and the converted buffer of
// width x height x 3 bytes is overrun the same way.
TEST_F(FrameImageTest, A24BitImageConvertsInThreeByteUnitsBothWays) {
  test::FrameImageRecord record = RecordOf(Qel::kPixelFormatR8G8B8, 3, 2, 9);
  const std::vector<uint8_t> rgb = {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,
                                    0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x08, 0x80, 0xFF};
  record.pixels = rgb;
  ASSERT_TRUE(Read(test::WriteFrameImage(record), true, display));
  ASSERT_EQ(surface->CopyTo(display.BackBuffer(), Qel::Point2(0, 0)), 0);
  MemorySurface* pixels = Pixels();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(display.requests[0].pitch, 6);
  EXPECT_EQ(PixelsOf(*pixels), (std::vector<uint32_t>{0x001F, 0x07E0, 0xF800, 0xFFFF, 0x0000, 0xFC01}));

  MemoryDisplayDevice deep(8, 8, Qel::kPixelFormatR8G8B8, false);
  test::FrameImageRecord shallow = RecordOf(Qel::kPixelFormatR5G6B5, 3, 1, 6);
  shallow.pixels = test::PackPixels16({0xF800, 0x07E0, 0x001F}, 3, 1, 6);
  ASSERT_TRUE(Read(test::WriteFrameImage(shallow), true, deep));
  pixels = Pixels();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(deep.requests[0].pitch, 9);
  EXPECT_EQ(PixelsOf(*pixels), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
}

struct Corruption {
  const char* what;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, uint32_t value) {
  Qel::WriteLE32(bytes.data() + at, value);
  return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

std::vector<Corruption> Corruptions() {
  const test::FrameImageRecord base = RecordOf(Qel::kPixelFormatA8R8G8B8, 6, 4, 24);
  const std::vector<uint8_t> zlib = test::WriteFrameImage(base);
  test::FrameImageRecord rawRecord = base;
  rawRecord.compressed = false;
  const std::vector<uint8_t> raw = test::WriteFrameImage(rawRecord);
  std::vector<uint8_t> garbage = zlib;
  for (size_t i = 42; i < garbage.size(); ++i) garbage[i] ^= 0x5A;
  test::FrameImageRecord taller = base;
  taller.height = 5;
  taller.pixels.resize(24 * 4);  // inflates to one row fewer than the header says
  test::FrameImageRecord shorter = base;
  shorter.height = 3;
  shorter.pixels.resize(24 * 4);  // inflates to one row more
  return {
      {"empty stream", {}},
      {"header cut short", Cut(zlib, 30)},
      {"length cut short", Cut(zlib, 38)},
      {"data cut short", Cut(zlib, zlib.size() - 1)},
      {"raw rows cut short", Cut(raw, raw.size() - 1)},
      {"depth 12", Patched(zlib, 0, 12)},
      {"depth 0", Patched(zlib, 0, 0)},
      {"depth 0x80000020", Patched(zlib, 0, 0x80000020)},
      {"width 0", Patched(zlib, 20, 0)},
      {"height 0", Patched(zlib, 24, 0)},
      {"pitch below the width", Patched(zlib, 28, 23)},
      {"pitch x height beyond 32 bits", Patched(Patched(zlib, 24, 0x10000), 28, 0x10000)},
      {"width beyond 31 bits", Patched(Patched(zlib, 20, 0x80000000), 28, 0xFFFFFFFF)},
      {"height beyond what the length can inflate to", Patched(zlib, 24, 0x100000)},
      {"raw height beyond the stream", Patched(raw, 24, 5)},
      {"length beyond the stream", Patched(zlib, 36, static_cast<uint32_t>(zlib.size()))},
      {"length 0xFFFFFFFF", Patched(zlib, 36, 0xFFFFFFFF)},
      {"not a zlib stream", garbage},
      {"inflates short of height x pitch", test::WriteFrameImage(taller)},
      {"inflates past height x pitch", test::WriteFrameImage(shorter)},
  };
}

TEST_F(FrameImageTest, CorruptRecordsLeaveNoSurface) {
  for (const Corruption& c : Corruptions()) {
    for (const bool keep : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.what << (keep ? ", kept" : ", eager"));
      auto sentinel = std::make_shared<MemorySurface>(1, 1, Qel::kPixelFormatR5G6B5);
      surface = sentinel;
      const bool read = Read(c.bytes, keep, display);
      const std::string what = c.what;
      const bool foundByInflating = what == "not a zlib stream" || what.rfind("inflates", 0) == 0;
      if (keep && foundByInflating) {
        // A kept image finds these out when drawn.
        ASSERT_TRUE(read);
        continue;
      }
      EXPECT_FALSE(read);
      EXPECT_EQ(surface, sentinel);
      // Everything else is refused before the device is asked for a surface; a surface made to inflate
      // into is gone again.
      if (!foundByInflating) {
        EXPECT_TRUE(display.requests.empty());
      }
    }
  }
}

TEST_F(FrameImageTest, AKeptImageWhoseDataDoesNotInflateDrawsNothingAndStaysCompressed) {
  for (const Corruption& c : Corruptions()) {
    const std::string what = c.what;
    if (what != "not a zlib stream" && what.rfind("inflates", 0) != 0) continue;
    SCOPED_TRACE(what);
    surface.reset();
    ASSERT_TRUE(Read(c.bytes, true, display));
    auto* compressed = dynamic_cast<Qel::CompressedSurface*>(surface.get());
    ASSERT_NE(compressed, nullptr);
    for (int attempt = 0; attempt < 2; ++attempt) {
      EXPECT_EQ(surface->BlitTo(display.BackBuffer(), Qel::Point2(0, 0)), 1);
      EXPECT_EQ(surface->CopyTo(display.BackBuffer(), Qel::Point2(0, 0)), 1);
      int pitch = -1;
      EXPECT_EQ(surface->Lock(pitch, Qel::DrawingSurface::kLockRead), nullptr);
      EXPECT_EQ(surface->DrawRectangle(nullptr, 1, Qel::Color(), Qel::Color()), 1);
    }
    EXPECT_FALSE(compressed->IsUncompressed());
    EXPECT_EQ(surface->GetWidth(), 6);
    EXPECT_TRUE(display.requests.empty());
  }
}

}  // namespace
}  // namespace memtest
