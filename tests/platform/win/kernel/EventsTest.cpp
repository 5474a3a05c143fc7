// Event objects: auto and manual reset, polls, timed waits, signals from another thread, closing.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win/kernel/Events.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Timer.h"

using namespace plat::win;

namespace {
using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}
}  // namespace

TEST(Events, AnAutoResetEventReleasesOneWaitAndClears) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(event));
  EXPECT_TRUE(SetEvent(event));  // signals do not add up
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(event));
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(event));
}

TEST(Events, AManualResetEventStaysSignalledUntilReset) {
  HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 10), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(event));
}

TEST(Events, ATimedWaitEndsAtItsTimeoutOrAtTheSignalFromAnotherThread) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  Clock::time_point start = Clock::now();
  EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
  EXPECT_GE(ElapsedMs(start), 50);

  start = Clock::now();
  std::thread setter([event] {
    Sleep(30);
    SetEvent(event);
  });
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
  EXPECT_GE(ElapsedMs(start), 25);
  setter.join();
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);  // the wait took the signal
  EXPECT_TRUE(CloseHandle(event));
}

TEST(Events, ManySignalsFromAnotherThreadAreNeverLostBetweenPolls) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  ASSERT_NE(done, nullptr);
  // Each signal waits until the poller took the previous one, so every one must be seen.
  constexpr int kSignals = 200;
  HANDLE taken = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::thread setter([&] {
    for (int i = 0; i < kSignals; ++i) {
      SetEvent(event);
      WaitForSingleObject(taken, INFINITE);
    }
    SetEvent(done);
  });
  int seen = 0;
  while (WaitForSingleObject(done, 0) == WAIT_TIMEOUT) {
    if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) {
      ++seen;
      SetEvent(taken);
    }
  }
  setter.join();
  EXPECT_EQ(seen, kSignals);
  for (HANDLE handle : {event, done, taken}) EXPECT_TRUE(CloseHandle(handle));
}

TEST(Events, EventsShareTheHandleTableWithFilesAndMutexes) {
  HANDLE file =
      CreateFileA("a.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE event = CreateEventA(nullptr, FALSE, TRUE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_NE(event, file);

  // A file is no event, and an event no file.
  EXPECT_EQ(WaitForSingleObject(file, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(file));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  DWORD put = 0;
  EXPECT_FALSE(WriteFile(event, "x", 1, &put, nullptr));

  EXPECT_TRUE(CloseHandle(event));
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_FALSE(SetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_TRUE(WriteFile(file, "x", 1, &put, nullptr));
  EXPECT_TRUE(CloseHandle(file));
}

TEST(Events, NamedEventsAreRefused) {
  EXPECT_EQ(CreateEventA(nullptr, FALSE, FALSE, "Shared"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
