// Process priority class, thread priority and processor affinity, on the Linux scheduler.
#include "platform/probe/Priority.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/win/kernel/LastError.h"

namespace plat::probe {
namespace {

HANDLE const kCurrentProcess = reinterpret_cast<HANDLE>(~uintptr_t{0});
HANDLE const kCurrentThread = reinterpret_cast<HANDLE>(~uintptr_t{1});

struct Level {
  int priority;
  int nice;
  int realTime;
};

constexpr Level kLevels[] = {
    {THREAD_PRIORITY_IDLE, 19, 1},
    {THREAD_PRIORITY_LOWEST, 10, 30},
    {THREAD_PRIORITY_BELOW_NORMAL, 5, 40},
    {THREAD_PRIORITY_NORMAL, 0, 50},
    {THREAD_PRIORITY_ABOVE_NORMAL, -5, 60},
    {THREAD_PRIORITY_HIGHEST, -10, 70},
    {THREAD_PRIORITY_TIME_CRITICAL, -20, 99},
};

BOOL Fail(DWORD error) {
  plat::win::SetLastError(error);
  return FALSE;
}

BOOL FailWithErrno() {
  return Fail(errno == EPERM || errno == EACCES ? plat::win::ERROR_ACCESS_DENIED
                                                : plat::win::ERROR_INVALID_PARAMETER);
}

bool IsRealTime(int policy) {
  return policy == SCHED_FIFO || policy == SCHED_RR;
}

const Level* LevelOf(int priority) {
  for (const Level& level : kLevels) {
    if (level.priority == priority) return &level;
  }
  return nullptr;
}

template <typename Distance>
int NearestLevel(Distance distance) {
  const Level* best = &kLevels[0];
  for (const Level& level : kLevels) {
    if (distance(level) < distance(*best)) best = &level;
  }
  return best->priority;
}

DWORD_PTR SystemMask() {
  const long configured = sysconf(_SC_NPROCESSORS_CONF);
  if (configured >= 64) return ~DWORD_PTR{0};
  return (DWORD_PTR{1} << (configured > 0 ? configured : 1)) - 1;
}

}  // namespace

HANDLE GetCurrentProcess() {
  return kCurrentProcess;
}

HANDLE GetCurrentThread() {
  return kCurrentThread;
}

DWORD GetPriorityClass(HANDLE process) {
  if (process != kCurrentProcess) return Fail(plat::win::ERROR_INVALID_HANDLE);
  const int policy = sched_getscheduler(0);
  if (IsRealTime(policy)) return REALTIME_PRIORITY_CLASS;
  if (policy == SCHED_IDLE) return IDLE_PRIORITY_CLASS;
  return NORMAL_PRIORITY_CLASS;
}

BOOL SetPriorityClass(HANDLE process, DWORD priorityClass) {
  if (process != kCurrentProcess) return Fail(plat::win::ERROR_INVALID_HANDLE);
  sched_param param{};
  int policy = SCHED_OTHER;
  if (priorityClass == REALTIME_PRIORITY_CLASS) {
    policy = SCHED_FIFO;
    param.sched_priority = sched_get_priority_min(SCHED_FIFO);
  } else if (priorityClass == IDLE_PRIORITY_CLASS) {
    policy = SCHED_IDLE;
  } else if (priorityClass != NORMAL_PRIORITY_CLASS) {
    return Fail(plat::win::ERROR_INVALID_PARAMETER);
  }
  if (sched_getscheduler(0) == policy) return TRUE;  // keeps the thread's place within the class
  if (sched_setscheduler(0, policy, &param) != 0) return FailWithErrno();
  return TRUE;
}

int GetThreadPriority(HANDLE thread) {
  if (thread != kCurrentThread) {
    plat::win::SetLastError(plat::win::ERROR_INVALID_HANDLE);
    return THREAD_PRIORITY_NORMAL;
  }
  if (IsRealTime(sched_getscheduler(0))) {
    sched_param param{};
    sched_getparam(0, &param);
    return NearestLevel([&](const Level& level) { return std::abs(level.realTime - param.sched_priority); });
  }
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
  return NearestLevel([&](const Level& level) { return std::abs(level.nice - nice); });
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
  if (thread != kCurrentThread) return Fail(plat::win::ERROR_INVALID_HANDLE);
  const Level* level = LevelOf(priority);
  if (!level) return Fail(plat::win::ERROR_INVALID_PARAMETER);
  const int policy = sched_getscheduler(0);
  if (IsRealTime(policy)) {
    sched_param param{};
    param.sched_priority = level->realTime;
    if (sched_setparam(0, &param) != 0) return FailWithErrno();
    return TRUE;
  }
  if (setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), level->nice) != 0) return FailWithErrno();
  return TRUE;
}

BOOL GetProcessAffinityMask(HANDLE process, DWORD_PTR* processMask, DWORD_PTR* systemMask) {
  if (process != kCurrentProcess) return Fail(plat::win::ERROR_INVALID_HANDLE);
  if (!processMask || !systemMask) return Fail(plat::win::ERROR_INVALID_PARAMETER);
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof(set), &set) != 0) return FailWithErrno();
  DWORD_PTR mask = 0;
  for (int cpu = 0; cpu < 64; ++cpu) {
    if (CPU_ISSET(cpu, &set)) mask |= DWORD_PTR{1} << cpu;
  }
  *processMask = mask;
  *systemMask = SystemMask();
  return TRUE;
}

BOOL SetProcessAffinityMask(HANDLE process, DWORD_PTR mask) {
  if (process != kCurrentProcess) return Fail(plat::win::ERROR_INVALID_HANDLE);
  if (mask == 0 || (mask & ~SystemMask()) != 0) return Fail(plat::win::ERROR_INVALID_PARAMETER);
  cpu_set_t set;
  CPU_ZERO(&set);
  for (int cpu = 0; cpu < 64; ++cpu) {
    if (mask & (DWORD_PTR{1} << cpu)) CPU_SET(cpu, &set);
  }
  if (sched_setaffinity(0, sizeof(set), &set) != 0) return FailWithErrno();
  return TRUE;
}

}  // namespace plat::probe
