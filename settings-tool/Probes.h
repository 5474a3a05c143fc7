// The hardware probes whose results go into "Pilo.ini": the processor clock and the memory.
#pragma once

#include <cstdint>

// The time-stamp counter's rate over 50 ms of the performance counter, in MHz; 0 without CPUID, a
// time-stamp counter or a performance counter. The priority class, the thread priority and the
// affinity are raised and pinned while measuring when the system allows it, and always restored.
int32_t MeasureCpuMhz();

// The installed memory in MB, plus 1 (the sum rounds a total just short of a power of two up).
int32_t GetPhysicalMemoryMb();
