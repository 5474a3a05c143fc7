// The probe calls against what Linux itself reports: processor features, clocks, scheduling, memory.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/probe/Cpu.h"
#include "platform/probe/MemoryStatus.h"
#include "platform/probe/PerformanceCounter.h"
#include "platform/probe/Priority.h"
#include "platform/win/kernel/Timer.h"

using namespace plat::probe;

#if defined(__x86_64__)
TEST(Probe, AnX86ProcessorHasCpuidAndATimeStampCounterThatAdvances) {
  EXPECT_TRUE(CanToggleIdentificationFlag());
  uint32_t registers[4] = {};
  Cpuid(0, registers);
  EXPECT_GE(registers[0], 1u);  // the highest function
  Cpuid(1, registers);
  EXPECT_NE(registers[3] & kCpuidTimeStampCounterBit, 0u);
  const uint64_t before = ReadTimeStampCounter();
  plat::win::Sleep(5);
  EXPECT_GT(ReadTimeStampCounter(), before);
}
#endif

TEST(Probe, ThePerformanceCounterCountsNanosecondsOfTheMonotonicClock) {
  LARGE_INTEGER frequency;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000000000);
  LARGE_INTEGER before;
  LARGE_INTEGER after;
  ASSERT_TRUE(QueryPerformanceCounter(&before));
  plat::win::Sleep(20);
  ASSERT_TRUE(QueryPerformanceCounter(&after));
  EXPECT_GE(after.QuadPart - before.QuadPart, 20000000);
  EXPECT_LT(after.QuadPart - before.QuadPart, 5000000000);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

TEST(Probe, APriorityClassIsSetOrRefusedAndTheOldOneComesBack) {
  const DWORD original = GetPriorityClass(GetCurrentProcess());
  ASSERT_EQ(original, NORMAL_PRIORITY_CLASS);
  if (SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS)) {
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), REALTIME_PRIORITY_CLASS);
    ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL));
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_TIME_CRITICAL);
  }
  EXPECT_TRUE(SetPriorityClass(GetCurrentProcess(), original));
  EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), original);
  EXPECT_FALSE(SetPriorityClass(GetCurrentProcess(), 0x80));  // a class the probes never ask for
  EXPECT_FALSE(SetPriorityClass(GetCurrentThread(), NORMAL_PRIORITY_CLASS));
}

TEST(Probe, ThreadPrioritiesAreNiceValuesOutsideRealTime) {
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
  // Lowering one's own priority is always allowed.
  ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_LOWEST);
  ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_IDLE);
  EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 7));
}

TEST(Probe, TheAffinityMaskNarrowsToTheFirstProcessorAndComesBack) {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &process, &system));
  EXPECT_NE(process, 0u);
  EXPECT_EQ(process & ~system, 0u);
  if (process & 1) {
    ASSERT_TRUE(SetProcessAffinityMask(GetCurrentProcess(), 1));
    DWORD_PTR narrowed = 0;
    ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &narrowed, &system));
    EXPECT_EQ(narrowed, 1u);
  }
  ASSERT_TRUE(SetProcessAffinityMask(GetCurrentProcess(), process));
  DWORD_PTR restored = 0;
  ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &restored, &system));
  EXPECT_EQ(restored, process);
  EXPECT_FALSE(SetProcessAffinityMask(GetCurrentProcess(), 0));
}

TEST(Probe, TheMemoryStatusHoldsTheWholeRamOfProcMeminfo) {
  std::ifstream meminfo("/proc/meminfo");
  std::string name;
  uint64_t kilobytes = 0;
  while (meminfo >> name && name != "MemTotal:") meminfo.ignore(256, '\n');
  ASSERT_TRUE(meminfo >> kilobytes);
  MEMORYSTATUS status;
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwLength, sizeof(MEMORYSTATUS));
  EXPECT_EQ(status.dwTotalPhys, kilobytes * 1024);
  EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);
  EXPECT_GE(status.dwTotalPageFile, status.dwTotalPhys);
  EXPECT_LE(status.dwMemoryLoad, 100u);
}
