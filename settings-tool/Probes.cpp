// The hardware probes whose results go into "Pilo.ini": the processor clock and the memory.
#include "settings-tool/Probes.h"

#include "platform/probe/Cpu.h"
#include "platform/probe/MemoryStatus.h"
#include "platform/probe/PerformanceCounter.h"
#include "platform/probe/Priority.h"
#include "platform/win/kernel/Timer.h"

using namespace plat::probe;

namespace {

struct Counters {
  int64_t performance;
  uint64_t timeStamp;
};

Counters ReadCounters() {
  uint32_t registers[4];
  Cpuid(0, registers);  // serialises: nothing before it is still in flight
  LARGE_INTEGER performance;
  QueryPerformanceCounter(&performance);
  return {performance.QuadPart, ReadTimeStampCounter()};
}

// A refusal to raise the priority or pin the thread is no error: the measurement only gets noisier.
struct Scheduling {
  Scheduling()
      : priorityClass(GetPriorityClass(GetCurrentProcess())),
        threadPriority(GetThreadPriority(GetCurrentThread())) {
    DWORD_PTR system = 0;
    hasAffinity = GetProcessAffinityMask(GetCurrentProcess(), &affinity, &system) != FALSE;
    SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    SetProcessAffinityMask(GetCurrentProcess(), 1);
  }
  ~Scheduling() {
    if (hasAffinity) SetProcessAffinityMask(GetCurrentProcess(), affinity);
    SetThreadPriority(GetCurrentThread(), threadPriority);
    if (priorityClass != 0) SetPriorityClass(GetCurrentProcess(), priorityClass);
  }
  Scheduling(const Scheduling&) = delete;
  Scheduling& operator=(const Scheduling&) = delete;

  DWORD priorityClass;
  int threadPriority;
  DWORD_PTR affinity = 0;
  bool hasAffinity = false;
};

}  // namespace

int32_t MeasureCpuMhz() {
  if (!CanToggleIdentificationFlag()) return 0;
  uint32_t registers[4];
  Cpuid(1, registers);
  if ((registers[3] & kCpuidTimeStampCounterBit) == 0) return 0;
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;

  Counters start{};
  Counters stop{};
  {
    const Scheduling pinned;
    start = ReadCounters();
    plat::win::Sleep(50);
    stop = ReadCounters();
  }
  const int64_t performanceTicks = stop.performance - start.performance;
  if (performanceTicks <= 0 || stop.timeStamp <= start.timeStamp) return 0;
  const long double seconds = static_cast<long double>(performanceTicks) / frequency.QuadPart;
  const long double hertz = static_cast<long double>(stop.timeStamp - start.timeStamp) / seconds;
  if (!(hertz < 9.0e18L)) return 0;  // beyond any 64-bit count of ticks a second
  const int64_t megahertz = static_cast<int64_t>(hertz) / 1000000;
  return static_cast<int32_t>(static_cast<uint32_t>(megahertz));
}

int32_t GetPhysicalMemoryMb() {
  MEMORYSTATUS status;
  GlobalMemoryStatus(&status);
  return static_cast<int32_t>(static_cast<uint32_t>((status.dwTotalPhys >> 20) + 1));
}
