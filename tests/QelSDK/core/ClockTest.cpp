// Time sources and clocks: pausing, setting, wrapping, chaining and the registered system clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/SystemClock.h"
#include "core/WinSystemClock.h"
#include "platform/win/kernel/Timer.h"

namespace {

class FakeTimeSource : public Qel::TimeSource {
public:
  uint32_t GetTime() override { return m_now; }
  uint32_t m_now = 0;
};

// One step of a clock's story: move the source to `source`, then act.
struct Step {
  enum Action { kRead, kPause, kResume, kSet } action;
  uint32_t source;
  uint32_t value;  // expected reading for kRead, new time for kSet
};

struct Story {
  std::string name;
  uint32_t created;
  std::vector<Step> steps;
};

std::ostream& operator<<(std::ostream& out, const Story& story) {
  return out << story.name;
}

class ClockStory : public testing::TestWithParam<Story> {};

TEST_P(ClockStory, ReadsAsExpectedAtEveryStep) {
  const Story& story = GetParam();
  FakeTimeSource source;
  source.m_now = story.created;
  Qel::Clock clock(&source);
  for (std::size_t i = 0; i < story.steps.size(); ++i) {
    const Step& step = story.steps[i];
    source.m_now = step.source;
    switch (step.action) {
      case Step::kRead:
        EXPECT_EQ(clock.GetTime(), step.value) << "step " << i << " at source " << step.source;
        break;
      case Step::kPause:
        clock.Pause(true);
        break;
      case Step::kResume:
        clock.Pause(false);
        break;
      case Step::kSet:
        clock.SetTime(step.value);
        break;
    }
  }
}

constexpr auto R = Step::kRead;
constexpr auto P = Step::kPause;
constexpr auto U = Step::kResume;
constexpr auto S = Step::kSet;

INSTANTIATE_TEST_SUITE_P(
    Clock, ClockStory,
    testing::Values(
        Story{"PauseHoldsAndResumeContinues",
              1000,
              {{R, 1000, 0},
               {R, 1500, 500},
               {P, 1500, 0},
               {R, 2500, 500},
               {U, 2500, 0},
               {R, 2500, 500},
               {R, 2600, 600}}},
        Story{"SecondPauseCountsTheTimeBetweenAsRunning",
              1000,
              {{P, 1500, 0},
               {R, 1800, 500},
               {P, 1800, 0},
               {R, 1900, 800},
               {U, 2000, 0},
               {R, 2000, 800},
               {R, 2100, 900}}},
        Story{"ResumeOnARunningClockChangesNothing", 1000, {{U, 1300, 0}, {R, 1300, 300}, {R, 1400, 400}}},
        Story{"SetTimeOnARunningClock",
              1000,
              {{S, 5000, 0}, {R, 5000, 0}, {R, 5250, 250}, {S, 5250, 7}, {R, 5300, 57}}},
        Story{"SetTimeWhilePausedSubtractsThePauseSoFar",
              1000,
              {{P, 1000, 0},
               {S, 1200, 0},
               {R, 1200, 4294967096u},
               {R, 9000, 4294967096u},
               {U, 1300, 0},
               {R, 1300, 4294967096u},
               {R, 1500, 0},
               {R, 1600, 100}}},
        Story{"SourceWrapsPastTheTop",
              0xFFFFFF00u,
              {{R, 0xFFFFFFFFu, 0xFF},
               {R, 0x00000100u, 0x200},
               {P, 0x00000100u, 0},
               {R, 0x00000300u, 0x200},
               {U, 0x00000300u, 0},
               {R, 0x00000310u, 0x210}}},
        Story{"PausedAcrossTheWrap",
              0xFFFFFC00u,
              {{P, 0xFFFFFE00u, 0}, {R, 0x00000200u, 0x200}, {U, 0x00000200u, 0}, {R, 0x00000264u, 0x264}}},
        Story{"SetTimeNearTheTopWrapsToSmallReadings",
              50,
              {{S, 50, 0xFFFFFFF0u}, {R, 60, 0xFFFFFFFAu}, {R, 70, 4}}}),
    [](const testing::TestParamInfo<Story>& info) { return info.param.name; });

TEST(Clock, ReadsTheSourcesLiveTimeNotItsLastUpdate) {
  FakeTimeSource system;
  system.m_now = 100;
  Qel::Clock application(&system);
  Qel::Clock game(&application);
  system.m_now = 400;
  EXPECT_EQ(game.GetTime(), 300u);  // the application clock was never updated

  EXPECT_EQ(game.Update(), 300u);
  system.m_now = 450;
  EXPECT_EQ(game.GetLastTime(), 300u);
  EXPECT_EQ(game.GetTime(), 350u);
}

TEST(Clock, PausingTheSourceStopsTheChainedClock) {
  FakeTimeSource system;
  system.m_now = 0;
  Qel::Clock application(&system);
  Qel::Clock game(&application);
  system.m_now = 1000;
  application.Pause(true);
  system.m_now = 9000;
  EXPECT_EQ(application.GetTime(), 1000u);
  EXPECT_EQ(game.GetTime(), 1000u);
  application.Pause(false);
  system.m_now = 9100;
  EXPECT_EQ(game.GetTime(), 1100u);
}

uint32_t gTimerNow = 0;
uint32_t FakeTimer() {
  return gTimerNow;
}

class SystemClockTest : public testing::Test {
protected:
  void SetUp() override { plat::win::SetTimeSourceForTesting(FakeTimer); }
  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }
};

TEST_F(SystemClockTest, RegistersForItsLifetimeAndReadsTheTimer) {
  EXPECT_EQ(Qel::SystemClock::GetInstance(), nullptr);
  {
    Qel::Win::WinSystemClock system;
    EXPECT_EQ(Qel::SystemClock::GetInstance(), &system);
    gTimerNow = 0xFFFFFFF0u;
    EXPECT_EQ(system.GetTime(), 0xFFFFFFF0u);
    EXPECT_EQ(system.Update(), 0xFFFFFFF0u);
    EXPECT_EQ(system.GetLastTime(), 0xFFFFFFF0u);
  }
  EXPECT_EQ(Qel::SystemClock::GetInstance(), nullptr);
}

TEST_F(SystemClockTest, ASupersededClockDoesNotWithdrawItsSuccessor) {
  auto* first = new Qel::Win::WinSystemClock;
  Qel::Win::WinSystemClock second;
  delete first;
  EXPECT_EQ(Qel::SystemClock::GetInstance(), &second);
}

TEST_F(SystemClockTest, ClockWithoutSourceReadsTheSystemClockAcrossItsWrap) {
  Qel::Win::WinSystemClock system;
  gTimerNow = 0xFFFFFFFFu - 99;
  Qel::Clock clock;
  gTimerNow = 200;
  EXPECT_EQ(clock.GetTime(), 300u);
}

TEST_F(SystemClockTest, ClockBuiltBeforeAnySystemClockStandsStill) {
  ASSERT_EQ(Qel::SystemClock::GetInstance(), nullptr);
  Qel::Clock clock;
  gTimerNow = 5000;
  EXPECT_EQ(clock.GetTime(), 0u);
  clock.Pause(true);
  clock.Pause(false);
  clock.SetTime(40);
  EXPECT_EQ(clock.GetTime(), 40u);
}

}  // namespace
