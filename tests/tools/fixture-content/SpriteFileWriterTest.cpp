// The sprite-file writer against files laid out byte by byte from the format, so that the reader's tests
// do not rest on a writer that shares the reader's reading of it.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fixture-content/SpriteFileWriter.h"

namespace {

using fixture::SpriteFile;
using fixture::SpriteFileAnimation;
using fixture::SpriteFileFrame;
using fixture::SpriteFileImage;

std::string Bytes(const std::vector<int>& values) {
  std::string out;
  for (int value : values) out.push_back(static_cast<char>(value));
  return out;
}

// One animation, one frame and one 2 x 1 image; the version decides the layout.
SpriteFile Small(int32_t version) {
  SpriteFile file;
  file.m_version = version;
  file.m_defaultDuration = 0x64;
  SpriteFileImage image = SpriteFileImage::Solid(2, 1, 0xFF112233, 5, -1);
  image.m_encoding = SpriteFileImage::Encoding::kRunLength;
  image.m_placementFlags = 1;
  file.m_images = {image};
  SpriteFileFrame frame;
  frame.m_sound = "s";
  frame.m_pause = std::make_pair(int16_t{1}, int16_t{-2});
  frame.m_oldValue = 7;
  frame.m_extraFlags = 0x40;
  SpriteFileAnimation animation;
  animation.m_addedDuration = -1;
  animation.m_playMode = 4;
  animation.m_name = "ab";
  animation.m_extraFlags = 0x10;
  animation.m_frames = {frame};
  file.m_animations = {animation};
  return file;
}

}  // namespace

TEST(SpriteFileWriter, Version6LayoutByteByByte) {
  const std::string expected =
      "QSPR" + Bytes({6, 0, 0, 0}) + std::string(8, '\0') + Bytes({0x64, 0}) + std::string(2, '\0') +
      Bytes({1, 0}) +
      // animation: 1 frame, flags 0x12, added -1, skip 2 (0x10), mode 4, 4 skipped, name "ab"
      Bytes({1, 0, 0x12, 0, 0, 0, 0xFF, 0xFF, 0, 0, 4, 0, 0, 0, 0, 0, 2}) + "ab" +
      // frame: image 1, flags 0x458 (no old value from version 5 on), sound "s", block 0x40, pause 1, -2
      Bytes({1, 0, 0x58, 0x04, 0, 0, 1}) + "s" + Bytes({3}) + "old" + Bytes({1, 0, 0xFE, 0xFF}) +
      // one image: placement 5, -1, flags 1 and 8 skipped bytes; 10 skipped bytes; one set
      Bytes({1, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}) + std::string(8, '\0') +
      std::string(10, '\0') + Bytes({1, 0}) +
      // set 2 x 1 of 32 bits, one image: 2 x 1, 32 bits, pitch 8, 8 data bytes, no key, run-length
      Bytes({2, 0, 1, 0, 32, 0, 1, 0, 2, 0, 1, 0, 32, 0, 8, 0,
             8, 0, 0, 0, 0,  0, 0, 0, 0, 4, 0, 0, 0,  0, 0, 0}) +
      // one run of two pixels: the unit 1, the pixel
      Bytes({1, 0, 0, 0, 0x33, 0x22, 0x11, 0xFF});
  std::vector<size_t> ends;
  EXPECT_EQ(fixture::WriteSpriteFile(Small(6), &ends), expected);
  // Header, animation, frame, image count, placement, set count, set.
  EXPECT_EQ(ends, (std::vector<size_t>{22, 41, 57, 59, 79, 91, 131}));
}

TEST(SpriteFileWriter, Version4LayoutByteByByte) {
  SpriteFile file = Small(4);
  file.m_images[0].m_encoding = SpriteFileImage::Encoding::kRaw;
  const std::string expected = "QSPR" + Bytes({4, 0, 0, 0}) + std::string(8, '\0') + Bytes({0x64, 0}) +
                               std::string(2, '\0') + Bytes({1, 0}) +
                               // no mode below version 5
                               Bytes({1, 0, 0x12, 0, 0, 0, 0xFF, 0xFF, 2}) + "ab" +
                               // the old value comes first below version 5
                               Bytes({1, 0, 0x58, 0x04, 0, 0, 7, 0, 1}) + "s" + Bytes({3}) + "old" +
                               Bytes({1, 0, 0xFE, 0xFF}) +
                               // 16-bit placement with no flags
                               Bytes({1, 0, 5, 0, 0xFF, 0xFF}) + std::string(10, '\0') + Bytes({1, 0}) +
                               Bytes({2, 0, 1, 0, 32, 0, 1, 0, 2, 0, 1, 0, 32, 0, 8, 0,
                                      8, 0, 0, 0, 0,  0, 0, 0, 0, 2, 0, 0, 0,  0, 0, 0}) +
                               Bytes({0x33, 0x22, 0x11, 0xFF, 0x33, 0x22, 0x11, 0xFF});
  EXPECT_EQ(fixture::WriteSpriteFile(file), expected);
}

TEST(SpriteFileWriter, Version7LayoutByteByByte) {
  const std::string written = fixture::WriteSpriteFile(Small(7));
  const std::string expected = "QSPR" + Bytes({7, 0, 0, 0, 0x64, 0, 1, 0}) +
                               // flags 0x12 but nothing skipped from version 7 on; mode 4 takes no bytes
                               Bytes({1, 0, 0x12, 0, 0, 0, 0xFF, 0xFF, 4, 0, 2}) + "ab" +
                               // blocks of old versions are not stored
                               Bytes({1, 0, 0x58, 0x04, 0, 0, 1}) + "s" + Bytes({1, 0, 0xFE, 0xFF}) +
                               // 32-bit placement only
                               Bytes({1, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) +
                               // 32 bits, the four masks, 2 x 1, pitch 8, zlib
                               Bytes({32, 0,    0, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                                      0,  0xFF, 2, 0, 0, 0, 1,    0, 0, 0,    8, 0, 0,    0, 1, 0, 0, 0});
  ASSERT_GT(written.size(), expected.size() + 4);
  EXPECT_EQ(written.substr(0, expected.size()), expected);
  const auto* length = reinterpret_cast<const uint8_t*>(written.data() + expected.size());
  const uLong packed = length[0] | (length[1] << 8) | (length[2] << 16) | (uLong{length[3]} << 24);
  ASSERT_EQ(written.size(), expected.size() + 4 + packed);
  uint8_t rows[8] = {};
  uLongf size = sizeof rows;
  ASSERT_EQ(
      uncompress(rows, &size, reinterpret_cast<const Bytef*>(written.data() + expected.size() + 4), packed),
      Z_OK);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(rows), size),
            Bytes({0x33, 0x22, 0x11, 0xFF, 0x33, 0x22, 0x11, 0xFF}));
}

TEST(SpriteFileWriter, RunLengthUnitsAreRunsAndLiterals) {
  SpriteFile file = Small(6);
  SpriteFileImage& image = file.m_images[0];
  image = SpriteFileImage::Solid(5, 1, 0);
  image.m_bitsPerPixel = 16;
  image.m_pixels = {0xA, 0xB, 0xC, 0xD, 0xD};
  const std::string written = fixture::WriteSpriteFile(file);
  // literals a b c (0x8002), then a run of two d (0x0001)
  const std::string units = Bytes({2, 0x80, 0xA, 0, 0xB, 0, 0xC, 0, 1, 0, 0xD, 0});
  EXPECT_EQ(written.substr(written.size() - units.size()), units);
}
