// The millisecond timer, the tick count and the 15-bit random generator.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/time.h>

#include <chrono>
#include <set>

#include "platform/win/kernel/Random.h"
#include "platform/win/kernel/Timer.h"

TEST(Timer, AdvancesInMillisecondsAndHonoursTheTestSource) {
  const uint32_t before = plat::win::timeGetTime();
  timespec pause{0, 20 * 1000 * 1000};
  nanosleep(&pause, nullptr);
  const uint32_t elapsed = plat::win::timeGetTime() - before;
  EXPECT_GE(elapsed, 19u);
  EXPECT_LT(elapsed, 5000u);

  // The tick count is the same clock, and stays the clock while the test source answers for the timer.
  EXPECT_LE(plat::win::GetTickCount() - plat::win::timeGetTime(), 1u);
  plat::win::SetTimeSourceForTesting([] { return 0xFFFFFFF0u; });
  EXPECT_EQ(plat::win::timeGetTime(), 0xFFFFFFF0u);
  const uint32_t ticks = plat::win::GetTickCount();
  nanosleep(&pause, nullptr);
  EXPECT_GE(plat::win::GetTickCount() - ticks, 19u);
  plat::win::SetTimeSourceForTesting(nullptr);
}

TEST(Timer, SleepLastsItsWholeTimeThoughASignalArrives) {
  struct sigaction action {};
  action.sa_handler = [](int) {};
  sigaction(SIGALRM, &action, nullptr);  // no SA_RESTART: the signal interrupts the wait
  itimerval early{};
  early.it_value.tv_usec = 10 * 1000;
  setitimer(ITIMER_REAL, &early, nullptr);
  const auto before = std::chrono::steady_clock::now();
  plat::win::Sleep(50);
  const auto elapsed = std::chrono::steady_clock::now() - before;
  EXPECT_GE(elapsed, std::chrono::milliseconds(50));
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST(Random, StaysInFifteenBitsAndRepeatsForASeed) {
  plat::win::srand(12345);
  std::set<int> seen;
  int first[8];
  for (int i = 0; i < 10000; ++i) {
    const int value = plat::win::rand();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, plat::win::RAND_MAX_15);
    if (i < 8) first[i] = value;
    seen.insert(value);
  }
  EXPECT_GT(seen.size(), 5000u);  // spread over the range, not stuck
  plat::win::srand(12345);
  for (int value : first) EXPECT_EQ(plat::win::rand(), value);
}
