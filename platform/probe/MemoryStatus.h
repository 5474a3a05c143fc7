// The memory status: installed and free physical memory, swap and address space.
#pragma once

#include "platform/probe/Types.h"

namespace plat::probe {

struct MEMORYSTATUS {
  DWORD dwLength = 0;
  DWORD dwMemoryLoad = 0;  // per cent of physical memory in use
  SIZE_T dwTotalPhys = 0;
  SIZE_T dwAvailPhys = 0;
  SIZE_T dwTotalPageFile = 0;  // physical memory plus swap, as Windows counts its commit limit
  SIZE_T dwAvailPageFile = 0;
  SIZE_T dwTotalVirtual = 0;  // the user address space
  SIZE_T dwAvailVirtual = 0;
};

// From sysinfo: the physical sizes are the kernel's whole RAM (as /proc/meminfo's MemTotal), free
// memory counts the free and buffer pages. Sizes are 64-bit, so no machine's memory is capped.
void GlobalMemoryStatus(MEMORYSTATUS* status);

}  // namespace plat::probe
