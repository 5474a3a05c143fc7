// The application and game clocks over the program's system clock: chaining, pauses, the background
// and the timer's wrap.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/SystemClock.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "platform/win/kernel/Timer.h"

namespace {

uint32_t gTimerNow = 0;
uint32_t FakeTimer() {
  return gTimerNow;
}

// Both clocks read 0 and run, as start-up leaves them, with the timer at `start`.
class GameClocks : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTimer);
    Start(1000);
  }
  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  void Start(uint32_t timer) {
    gTimerNow = timer;
    m_app.Pause(false);
    m_game.Pause(false);
    m_app.SetTime(0);
    m_game.SetTime(0);
  }

  ApplicationClock& m_app = ApplicationClock::Instance();
  GameClock& m_game = GameClock::Instance();
};

// The clocks are built once per process, so their first use is shown in a process of its own (the
// suite started again for this case alone), whatever cases ran before in this one.
TEST(ApplicationClock, RunsOnTheProgramsSystemClockFromTheFirstUse) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::string wrong;
        const auto check = [&wrong](const char* what, uint32_t value, uint32_t expected) {
          if (value != expected)
            wrong += std::string(what) + " reads " + std::to_string(value) + ", not " +
                     std::to_string(expected) + "; ";
        };
        if (!Qel::SystemClock::GetInstance()) wrong += "no system clock; ";
        gTimerNow = 777;
        plat::win::SetTimeSourceForTesting(FakeTimer);
        if (Qel::SystemClock::GetInstance())
          check("the system clock", Qel::SystemClock::GetInstance()->GetTime(), 777u);
        GameClock& game = GameClock::Instance();  // builds the application clock too
        ApplicationClock& app = ApplicationClock::Instance();
        check("the application clock", app.GetTime(), 0u);
        check("the game clock", game.GetTime(), 0u);
        gTimerNow += 40;
        check("the application clock 40 ms on", app.GetTime(), 40u);
        check("the game clock 40 ms on", game.GetTime(), 40u);
        plat::win::SetTimeSourceForTesting(nullptr);
        std::fprintf(stderr, "%s", wrong.empty() ? "clocks as expected" : wrong.c_str());
        std::_Exit(0);
      },
      testing::ExitedWithCode(0), "^clocks as expected$");
}

TEST_F(GameClocks, AGamePauseLeavesTheGameClockBehindByThePause) {
  gTimerNow += 2000;
  m_game.Pause(true);
  gTimerNow += 5000;
  m_game.Pause(false);
  gTimerNow += 300;
  EXPECT_EQ(m_app.GetTime(), 7300u);
  EXPECT_EQ(m_game.GetTime(), 2300u);
}

TEST_F(GameClocks, TheBackgroundStopsBothAndTheyContinueWhereTheyStopped) {
  gTimerNow += 1500;
  m_app.Pause(true);
  gTimerNow += 60000;
  EXPECT_EQ(m_app.GetTime(), 1500u);
  EXPECT_EQ(m_game.GetTime(), 1500u);
  m_app.Pause(false);
  gTimerNow += 250;
  EXPECT_EQ(m_app.GetTime(), 1750u);
  EXPECT_EQ(m_game.GetTime(), 1750u);
}

TEST_F(GameClocks, ABackgroundPeriodDuringAGamePauseIsNotCountedTwice) {
  gTimerNow += 100;
  m_game.Pause(true);
  gTimerNow += 1000;
  m_app.Pause(true);
  gTimerNow += 9000;
  m_app.Pause(false);
  gTimerNow += 1000;
  m_game.Pause(false);
  gTimerNow += 10;
  EXPECT_EQ(m_app.GetTime(), 2110u);
  EXPECT_EQ(m_game.GetTime(), 110u);
}

TEST_F(GameClocks, KeepCountingAcrossTheTimersWrap) {
  Start(0xFFFFFFFFu - 499);
  gTimerNow += 1000;  // wraps to 500
  ASSERT_EQ(gTimerNow, 500u);
  EXPECT_EQ(m_app.GetTime(), 1000u);
  m_game.Pause(true);
  gTimerNow += 700;
  m_game.Pause(false);
  EXPECT_EQ(m_game.GetTime(), 1000u);
}

TEST_F(GameClocks, TheFramesReadingStaysUntilTheNextUpdate) {
  gTimerNow += 16;
  EXPECT_EQ(m_app.Update(), 16u);
  EXPECT_EQ(m_game.Update(), 16u);
  gTimerNow += 16;
  EXPECT_EQ(m_game.GetLastTime(), 16u);
  EXPECT_EQ(m_game.GetTime(), 32u);
}

}  // namespace
