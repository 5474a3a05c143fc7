// Playing movies on a test clock: frames fall due at their times, each frame (the last included) has its
// time before the end is due, and a stream that ends or breaks before its announced count ends there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BinkFixture.h"
#include "platform/bink/Bink.h"
#include "support/MovieFiles.h"
#include "support/TempDir.h"

namespace binktest {
namespace {

// The colour the last decoded frame shows, read through a 32-bit copy.
uint32_t ShownColour(HBINK bink) {
  PixelBuffer buffer(static_cast<int>(bink->Width), static_cast<int>(bink->Height), 4);
  if (BinkCopyToBuffer(bink, buffer.Data(), buffer.Pitch(), buffer.Height(), 0, 0, BINKSURFACE32) != 0)
    return 1;
  return buffer.At(0, 0) & 0xFFFFFF;
}

TEST_F(BinkTest, EachFrameFallsDueAtItsTimeAndTheLastHasItsTimeBeforeTheEnd) {
  ASSERT_NE(OpenNew("intro.avi", test::SolidMovie(3, 32, 24, 10)), nullptr);
  // The clock starts at the first wait: the first frame is due at once.
  EXPECT_EQ(BinkWait(m_bink), 0);
  struct Step {
    uint32_t at;  // ms after the start
    S32 wait;
  };
  for (U32 frame = 1; frame <= 3; ++frame) {
    SCOPED_TRACE(frame);
    Next();
    EXPECT_EQ(m_bink->FrameNum, frame);
    EXPECT_EQ(ShownColour(m_bink), test::kMovieColours[frame - 1]);
    const uint32_t due = 100 * frame;
    for (const Step& step : {Step{due - 100, 1}, Step{due - 1, 1}, Step{due, 0}, Step{due + 50, 0}}) {
      gNow = 1000 + step.at;
      EXPECT_EQ(BinkWait(m_bink), step.wait) << "at " << step.at << " ms";
    }
    gNow = 1000 + due - 1;
  }
  // The last frame's time is over: there is nothing left to decode, and nothing moves on.
  gNow = 1300;
  EXPECT_EQ(BinkWait(m_bink), 0);
  EXPECT_EQ(BinkDoFrame(m_bink), -1);
  BinkNextFrame(m_bink);
  EXPECT_EQ(m_bink->FrameNum, 3u);
  EXPECT_EQ(ShownColour(m_bink), test::kMovieColours[2]);
}

TEST_F(BinkTest, AnNtscRateFallsDueOnTheMillisecondAfterItsExactTime) {
  test::MovieSpec spec = test::SolidMovie(4);
  spec.rateNum = 30000;
  spec.rateDen = 1001;
  ASSERT_NE(OpenNew("ntsc.avi", spec), nullptr);
  EXPECT_EQ(BinkWait(m_bink), 0);
  // Frame n + 1 falls due at n x 33.3667 ms.
  const struct {
    U32 shown;
    uint32_t notYet;
    uint32_t due;
  } cases[] = {{1, 33, 34}, {2, 66, 67}, {3, 100, 101}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    Next();
    gNow = 1000 + c.notYet;
    EXPECT_EQ(BinkWait(m_bink), 1);
    gNow = 1000 + c.due;
    EXPECT_EQ(BinkWait(m_bink), 0);
  }
}

TEST_F(BinkTest, TheClockStartsAtTheFirstCallNotAtTheOpen) {
  ASSERT_NE(OpenNew("late.avi", test::SolidMovie(2, 32, 24, 10)), nullptr);
  gNow += 5000;
  Next();
  gNow += 99;
  EXPECT_EQ(BinkWait(m_bink), 1);
  gNow += 1;
  EXPECT_EQ(BinkWait(m_bink), 0);
}

TEST_F(BinkTest, AFrameIsDecodedOnceAndMovingOnWithoutDecodingStillDecodes) {
  ASSERT_NE(OpenNew("steps.avi", test::SolidMovie(4)), nullptr);
  ASSERT_EQ(BinkDoFrame(m_bink), 0);
  ASSERT_EQ(BinkDoFrame(m_bink), 0);
  EXPECT_EQ(ShownColour(m_bink), test::kMovieColours[0]);
  BinkNextFrame(m_bink);
  EXPECT_EQ(m_bink->FrameNum, 1u);
  BinkNextFrame(m_bink);
  EXPECT_EQ(m_bink->FrameNum, 2u);
  EXPECT_EQ(ShownColour(m_bink), test::kMovieColours[1]);
  Next();
  EXPECT_EQ(ShownColour(m_bink), test::kMovieColours[2]);
}

// Plays the movie to its end; the frames shown, and whether each showed its own colour.
std::vector<uint32_t> PlayOut(HBINK bink) {
  std::vector<uint32_t> shown;
  while (shown.size() <= bink->Frames && BinkDoFrame(bink) == 0) {
    BinkNextFrame(bink);
    shown.push_back(ShownColour(bink));
  }
  return shown;
}

TEST_F(BinkTest, AStreamCutShortEndsAtItsLastWholeFrame) {
  // Moving pictures, so that the frames and not the header make up most of the file.
  test::MovieSpec spec = test::SolidMovie(40, 64, 48);
  spec.moving = true;
  test::WriteMovieFile("whole.avi", spec);
  const std::string whole = test::ReadFile("whole.avi");
  for (const size_t keep : {whole.size() * 3 / 4, whole.size() / 2, whole.size() / 4}) {
    SCOPED_TRACE(keep);
    test::WriteFile("cut.avi", whole.substr(0, keep));
    HBINK bink = BinkOpen("cut.avi", 0);
    ASSERT_NE(bink, nullptr) << BinkGetError();
    EXPECT_EQ(bink->Frames, 40u);
    const std::vector<uint32_t> shown = PlayOut(bink);
    EXPECT_GT(shown.size(), 0u);
    EXPECT_LT(shown.size(), 40u);
    for (size_t i = 0; i < shown.size(); ++i)
      EXPECT_EQ(shown[i], plat::bink_encoder::MovingColour(0, 0, static_cast<int>(i))) << "frame " << i + 1;
    EXPECT_EQ(bink->FrameNum, shown.size());
    EXPECT_EQ(BinkDoFrame(bink), -1);
    BinkClose(bink);
  }
}

TEST_F(BinkTest, AStreamThatStopsDecodingEndsThere) {
  test::MovieSpec spec = test::SolidMovie(30, 48, 32);
  spec.codec = test::VideoCodec::kMpeg4;
  spec.moving = true;
  test::WriteMovieFile("whole.avi", spec);
  std::string bytes = test::ReadFile("whole.avi");
  // Noise over the third quarter: the container and its index still read, those pictures do not decode.
  uint32_t state = 99;
  for (size_t i = bytes.size() / 2; i < bytes.size() * 3 / 4; ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(state >> 24);
  }
  test::WriteFile("broken.avi", bytes);
  HBINK bink = BinkOpen("broken.avi", 0);
  ASSERT_NE(bink, nullptr) << BinkGetError();
  const std::vector<uint32_t> shown = PlayOut(bink);
  EXPECT_GT(shown.size(), 0u);
  EXPECT_LT(shown.size(), 30u);
  EXPECT_EQ(bink->FrameNum, shown.size());
  EXPECT_EQ(BinkDoFrame(bink), -1);
  BinkClose(bink);
}

}  // namespace
}  // namespace binktest
