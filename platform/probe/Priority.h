// Process priority class, thread priority and processor affinity, on the Linux scheduler.
#pragma once

#include "platform/probe/Types.h"

namespace plat::probe {

inline constexpr DWORD IDLE_PRIORITY_CLASS = 0x40;
inline constexpr DWORD NORMAL_PRIORITY_CLASS = 0x20;
inline constexpr DWORD REALTIME_PRIORITY_CLASS = 0x100;

inline constexpr int THREAD_PRIORITY_IDLE = -15;
inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

// Pseudo handles of the caller, the only process and thread these calls reach.
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();

// The settings tool has one thread, so the process's scheduling is its calling thread's. The
// classes are scheduling policies: real-time is SCHED_FIFO, idle SCHED_IDLE, normal SCHED_OTHER;
// other classes are refused (ERROR_INVALID_PARAMETER). The system may refuse a change
// (ERROR_ACCESS_DENIED): real time and a raised priority need privileges.
DWORD GetPriorityClass(HANDLE process);
BOOL SetPriorityClass(HANDLE process, DWORD priorityClass);

// Under SCHED_FIFO a level is a real-time priority (time-critical the highest); otherwise it is a
// nice value (time-critical -20, highest -10, above normal -5, normal 0, below normal 5, lowest 10,
// idle 19). A value between the levels reads as the nearest level.
int GetThreadPriority(HANDLE thread);
BOOL SetThreadPriority(HANDLE thread, int priority);

// Bit n is processor n (the first 64). The system mask holds every configured processor; a new
// mask must be a non-empty part of it.
BOOL GetProcessAffinityMask(HANDLE process, DWORD_PTR* processMask, DWORD_PTR* systemMask);
BOOL SetProcessAffinityMask(HANDLE process, DWORD_PTR mask);

}  // namespace plat::probe
