// Lip-synchronised voice lines: the track named like the sound's file gives the mouth shape at the
// play position; without a track the shape changes at random, at most every 100 ms of game time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/LipSyncSound.h"
#include "framework/LipSyncTrack.h"
#include "platform/win/kernel/Random.h"
#include "platform/win/kernel/Timer.h"
#include "support/SoundStage.h"

namespace {

uint32_t gNow = 1000;
uint32_t FakeTime() {
  return gNow;
}

std::string Track(uint32_t count, float msPerShape, const std::vector<uint8_t>& shapes) {
  std::string bytes = test::U32(LipSyncTrack::kMagic) + test::U32(count);
  uint32_t bits = 0;
  std::memcpy(&bits, &msPerShape, sizeof bits);
  bytes += test::U32(bits);
  bytes.append(shapes.begin(), shapes.end());
  return bytes;
}

class LipSync : public testing::Test {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTime);
    ApplicationClock::Instance().SetTime(0);
    GameClock::Instance().SetTime(0);
    GameClock::Instance().Update();
    stage.AddWave("line", test::Tone(1000));
  }
  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  // Game time moves on by ms, read once as a frame does.
  static void Advance(uint32_t ms) {
    gNow += ms;
    GameClock::Instance().Update();
  }

  test::SoundStage stage;
};

}  // namespace

TEST_F(LipSync, ShapesFollowThePlayPosition) {
  std::vector<uint8_t> shapes;
  for (uint8_t i = 0; i < 20; ++i) shapes.push_back(i);
  stage.AddFile("line.snc", Track(20, 50.0f, shapes));
  LipSyncSound line("hello", "line", nullptr, 7, true, false);
  ASSERT_EQ(line.GetTrack().GetShapeCount(), 20u);
  EXPECT_EQ(line.GetMouthShape(), 0);
  line.Play(false, true);

  // 25 ms steps: each step is half an entry, so the shape moves on every other step.
  std::vector<int> seen;
  for (int step = 1; step <= 36; ++step) {
    stage.Render(test::SoundStage::FramesOf(25) + (step % 4 == 0 ? 1 : 0));
    const uint32_t position = line.GetEngineSound()->GetPositionMs();
    SCOPED_TRACE(position);
    EXPECT_NEAR(static_cast<double>(position), step * 25.0, 1.5);
    const int shape = line.GetMouthShape();
    EXPECT_EQ(shape, static_cast<int>((position + 25) / 50));
    seen.push_back(shape);
  }
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 18);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  // The last entry holds on to the end of the line.
  stage.Render(test::SoundStage::FramesOf(80));
  EXPECT_EQ(line.GetMouthShape(), 19);
}

TEST_F(LipSync, WithoutAUsableTrackTheMouthMovesAtRandomEveryHundredMilliseconds) {
  const struct {
    const char* what;
    const char* file;  // the track's bytes, or none
    std::string bytes;
  } cases[] = {
      {"no track", nullptr, ""},
      {"a track of no entries", "line.snc", Track(0, 50.0f, {})},
      {"a track cut short", "line.snc", Track(30, 50.0f, {1, 2, 3})},
      {"garbage", "line.snc", std::string(200, '\x5A')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.file) stage.AddFile(c.file, c.bytes);
    plat::win::srand(12345);
    testing::internal::CaptureStderr();
    LipSyncSound line("hello", "line", nullptr, 7, true, false);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(line.GetTrack().IsEmpty());
    // A damaged track is named once; no track at all is usual and says nothing.
    EXPECT_EQ(trace, c.file ? "WARN: LipSyncSound: lip-sync track " + (stage.Folder() / c.file).string() +
                                  " is refused: " + line.GetTrack().GetFailure() +
                                  "; the mouth moves at random\n"
                            : "");
    line.Play(false, true);

    std::set<int> shapes;
    EXPECT_EQ(line.GetMouthShape(), 0);  // no time has passed yet
    for (int change = 0; change < 40; ++change) {
      Advance(101);
      const int drawn = line.GetMouthShape();
      EXPECT_GE(drawn, 0);
      EXPECT_LT(drawn, 8);
      shapes.insert(drawn);
      // Held for the next 100 ms.
      Advance(50);
      EXPECT_EQ(line.GetMouthShape(), drawn);
      Advance(50);
      EXPECT_EQ(line.GetMouthShape(), drawn);
    }
    EXPECT_GE(shapes.size(), 6u);
  }
}
