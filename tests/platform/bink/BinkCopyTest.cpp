// Copying frames into buffers: each of the six layouts gets the frame's pixels at the offset asked for and
// nothing outside it, a frame that does not fit is clipped to the buffer, and other layouts get nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "BinkFixture.h"
#include "platform/bink/Bink.h"
#include "support/MovieFiles.h"

namespace binktest {
namespace {

// Every pixel of the buffer: the colour inside the rectangle (masked to the layout's colour bits), and
// untouched bytes outside it and after the last row.
void ExpectPicture(const PixelBuffer& buffer, const Layout& layout, int width, int height, int left, int top,
                   int right, int bottom, uint32_t rgb) {
  const uint32_t expected = Packed(rgb, layout.type) & layout.used;
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inside = x >= left && x < right && y >= top && y < bottom;
      const bool good = inside ? (buffer.At(x, y) & layout.used) == expected : buffer.Untouched(x, y);
      if (!good && ++wrong <= 3)
        ADD_FAILURE() << layout.name << ": pixel " << x << "," << y << (inside ? " holds " : " was written: ")
                      << std::hex << buffer.At(x, y) << (inside ? ", not " : "") << (inside ? expected : 0u);
    }
  }
  EXPECT_TRUE(buffer.GuardUntouched()) << layout.name << ": written past the last row";
}

TEST_F(BinkTest, EachLayoutGetsTheFramesPixelsAtTheOffset) {
  ASSERT_NE(OpenNew("colours.avi", test::SolidMovie(2, 32, 24)), nullptr);
  for (U32 frame = 0; frame < 2; ++frame) {
    Next();
    for (const Layout& layout : kLayouts) {
      SCOPED_TRACE(layout.name);
      // Rows longer than the pixels they hold, as surfaces have them.
      PixelBuffer buffer(40, 30, layout.bytes, 6);
      ASSERT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), buffer.Pitch(), buffer.Height(), 3, 2, layout.type),
                0);
      ExpectPicture(buffer, layout, 40, 30, 3, 2, 35, 26, test::kMovieColours[frame]);
    }
  }
}

TEST_F(BinkTest, AFrameThatDoesNotFitIsClippedToTheBuffer) {
  struct Case {
    const char* name;
    int movieWidth;
    int movieHeight;
    U32 x;
    U32 y;
  };
  const Case cases[] = {
      {"over the right and bottom edges", 32, 24, 20, 10},
      {"an odd size in place", 30, 17, 0, 0},
      {"an odd size over the edges", 30, 17, 25, 20},
      {"larger than the buffer", 64, 48, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(OpenNew("clip.avi", test::SolidMovie(1, c.movieWidth, c.movieHeight)), nullptr);
    Next();
    for (const Layout& layout : kLayouts) {
      SCOPED_TRACE(layout.name);
      PixelBuffer buffer(40, 30, layout.bytes);
      ASSERT_EQ(
          BinkCopyToBuffer(m_bink, buffer.Data(), buffer.Pitch(), buffer.Height(), c.x, c.y, layout.type), 0);
      const int right = std::min(40, static_cast<int>(c.x) + c.movieWidth);
      const int bottom = std::min(30, static_cast<int>(c.y) + c.movieHeight);
      ExpectPicture(buffer, layout, 40, 30, static_cast<int>(c.x), static_cast<int>(c.y), right, bottom,
                    test::kMovieColours[0]);
    }
    BinkClose(m_bink);
    m_bink = nullptr;
  }
}

TEST_F(BinkTest, AnOffsetOutsideTheBufferWritesNothing) {
  ASSERT_NE(OpenNew("outside.avi", test::SolidMovie(1)), nullptr);
  Next();
  for (const auto& [x, y] : {std::pair<U32, U32>{40, 0}, {0, 30}, {1000000, 5}, {0xFFFFFFFF, 0xFFFFFFFF}}) {
    SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
    PixelBuffer buffer(40, 30, 4);
    EXPECT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), buffer.Pitch(), buffer.Height(), x, y, BINKSURFACE32),
              0);
    EXPECT_TRUE(buffer.AllUntouched());
  }
}

TEST_F(BinkTest, OtherLayoutsAndNoBufferGetNothing) {
  ASSERT_NE(OpenNew("other.avi", test::SolidMovie(1)), nullptr);
  PixelBuffer buffer(32, 24, 4);
  // Before the first frame there is nothing to copy.
  EXPECT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), buffer.Pitch(), buffer.Height(), 0, 0, BINKSURFACE32),
            -1);
  Next();
  for (const U32 type : {0u, 2u, 4u, 6u, 8u, 11u, 12u, 13u, 14u, 15u, 99u}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), buffer.Pitch(), buffer.Height(), 0, 0, type), -1);
  }
  EXPECT_EQ(BinkCopyToBuffer(m_bink, nullptr, buffer.Pitch(), buffer.Height(), 0, 0, BINKSURFACE32), -1);
  EXPECT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), 0, buffer.Height(), 0, 0, BINKSURFACE32), -1);
  EXPECT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), -buffer.Pitch(), buffer.Height(), 0, 0, BINKSURFACE32),
            -1);
  EXPECT_TRUE(buffer.AllUntouched());
  EXPECT_EQ(BinkCopyToBuffer(nullptr, buffer.Data(), buffer.Pitch(), buffer.Height(), 0, 0, BINKSURFACE32),
            -1);
}

TEST_F(BinkTest, AYuvMovieCopiesCloseToItsColours) {
  test::MovieSpec spec = test::SolidMovie(4, 48, 32);
  spec.codec = test::VideoCodec::kLosslessYuv420;
  ASSERT_NE(OpenNew("yuv.avi", spec), nullptr);
  for (U32 frame = 0; frame < 4; ++frame) {
    SCOPED_TRACE(frame);
    Next();
    PixelBuffer buffer(48, 32, 4);
    ASSERT_EQ(BinkCopyToBuffer(m_bink, buffer.Data(), buffer.Pitch(), buffer.Height(), 0, 0, BINKSURFACE32A),
              0);
    const uint32_t want = test::kMovieColours[frame];
    for (const auto& [x, y] : {std::pair{0, 0}, {47, 31}, {20, 13}}) {
      const uint32_t got = buffer.At(x, y);
      EXPECT_EQ(got >> 24, 0xFFu);
      for (const int shift : {16, 8, 0})
        EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF), static_cast<int>(want >> shift & 0xFF), 6)
            << "pixel " << x << "," << y << " channel at bit " << shift;
    }
  }
}

}  // namespace
}  // namespace binktest
