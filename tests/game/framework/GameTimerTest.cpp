// Game timers on a test game clock: expiry at or after the deadline exactly once, stops with and
// without the event, names, the clock's wrap; and HasTimeElapsed at its boundary.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/GameTimer.h"
#include "framework/HasTimeElapsed.h"
#include "support/TestGameClock.h"
#include "support/TimerEventLog.h"

using test::TimerEvent;

TEST(GameTimer, ExpiresOnTheFirstPollAtOrAfterItsDeadlineExactlyOnce) {
  for (const uint32_t firstPoll : {6000u, 6001u, 9000u}) {
    SCOPED_TRACE(firstPoll);
    test::TestGameClock clock(5000);
    test::TimerEventLog log;
    GameTimer timer("bubbles", 250);
    timer.Start(1000);
    EXPECT_TRUE(timer.IsActive());
    EXPECT_EQ(timer.GetDeadline(), 6000u);
    timer.PollAt(5999);
    EXPECT_TRUE(log.m_events.empty());
    clock.Set(firstPoll);
    timer.PollAt(firstPoll);
    EXPECT_FALSE(timer.IsActive());
    for (const uint32_t later : {firstPoll, firstPoll + 1, firstPoll + 5000}) timer.PollAt(later);
    EXPECT_EQ(log.m_events, (std::vector<TimerEvent>{{&timer, firstPoll}}));
  }
}

TEST(GameTimer, PollReadsTheGameClockAndStartKeepsOrReplacesTheDuration) {
  test::TestGameClock clock(100);
  test::TimerEventLog log;
  GameTimer timer("wave", 400);
  timer.Poll();  // inactive: nothing
  timer.Start(0);
  EXPECT_EQ(timer.GetDuration(), 400u);
  clock.Advance(399);
  timer.Poll();
  EXPECT_TRUE(log.m_events.empty());
  clock.Advance(1);
  timer.Poll();
  ASSERT_EQ(log.m_events.size(), 1u);
  EXPECT_EQ(log.m_events[0].at, 500u);

  timer.Start(50);
  EXPECT_EQ(timer.GetDuration(), 50u);
  EXPECT_EQ(timer.GetDeadline(), 550u);
  timer.Start(0);  // restarted from now with the last duration
  EXPECT_EQ(timer.GetDeadline(), 550u);
}

TEST(GameTimer, StopPostsTheExpiryOnlyWhenAskedAndOnlyWhileActive) {
  test::TestGameClock clock(2000);
  test::TimerEventLog log;
  GameTimer timer("quiet", 1000);

  timer.Stop(true);  // inactive: nothing
  EXPECT_TRUE(log.m_events.empty());

  timer.Start(0);
  timer.Stop(false);
  EXPECT_FALSE(timer.IsActive());
  timer.PollAt(5000);
  EXPECT_TRUE(log.m_events.empty());

  timer.Start(0);
  clock.Advance(10);
  timer.Stop(true);
  EXPECT_FALSE(timer.IsActive());
  EXPECT_EQ(log.m_events, (std::vector<TimerEvent>{{&timer, 2010}}));
  timer.PollAt(5000);
  timer.Stop(true);
  EXPECT_EQ(log.m_events.size(), 1u);
}

TEST(GameTimer, ALongNameIsCutToItsField) {
  const std::string longName(40, 'x');
  const struct {
    const char* name;
    std::string kept;
  } cases[] = {
      {"short", "short"},
      {longName.c_str(), std::string(GameTimer::kNameCapacity - 1, 'x')},
      {nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kept);
    const GameTimer timer(c.name, 0);
    EXPECT_EQ(timer.GetName(), c.kept);
    EXPECT_FALSE(timer.IsActive());
  }
}

// The clock's milliseconds wrap after 2^32; a deadline just past the wrap is not reached by the
// times just before it.
TEST(GameTimer, ADeadlinePastTheClocksWrapIsReachedOnlyAfterIt) {
  test::TestGameClock clock(0xFFFFFF00u);
  test::TimerEventLog log;
  GameTimer timer("late", 0);
  timer.Start(1000);
  EXPECT_EQ(timer.GetDeadline(), 1000u - 0x100u);
  timer.PollAt(0xFFFFFFFFu);
  timer.PollAt(0);
  timer.PollAt(1000u - 0x101u);
  EXPECT_TRUE(log.m_events.empty());
  clock.Advance(1000);
  timer.Poll();
  EXPECT_EQ(log.m_events, (std::vector<TimerEvent>{{&timer, 1000u - 0x100u}}));
}

TEST(HasTimeElapsed, OnlyMoreThanTheDurationCounts) {
  const struct {
    uint32_t start;
    uint32_t duration;
  } cases[] = {{5000, 1000}, {0, 0}, {0xFFFFFF00u, 0x200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.duration));
    test::TestGameClock clock(c.start);
    clock.Advance(c.duration);
    EXPECT_FALSE(HasTimeElapsed(c.start, c.duration));
    clock.Advance(1);
    EXPECT_TRUE(HasTimeElapsed(c.start, c.duration));
  }
}
