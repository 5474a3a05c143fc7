// The memory status: installed and free physical memory, swap and address space.
#include "platform/probe/MemoryStatus.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>

namespace plat::probe {

void GlobalMemoryStatus(MEMORYSTATUS* status) {
  if (!status) return;
  *status = MEMORYSTATUS{};
  status->dwLength = sizeof(MEMORYSTATUS);
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return;
  const SIZE_T unit = info.mem_unit ? info.mem_unit : 1;
  status->dwTotalPhys = static_cast<SIZE_T>(info.totalram) * unit;
  status->dwAvailPhys = (static_cast<SIZE_T>(info.freeram) + info.bufferram) * unit;
  status->dwTotalPageFile = status->dwTotalPhys + static_cast<SIZE_T>(info.totalswap) * unit;
  status->dwAvailPageFile = status->dwAvailPhys + static_cast<SIZE_T>(info.freeswap) * unit;
  if (status->dwTotalPhys > 0) {
    status->dwMemoryLoad = static_cast<DWORD>(100 - (status->dwAvailPhys >= status->dwTotalPhys
                                                         ? 100
                                                         : status->dwAvailPhys * 100 / status->dwTotalPhys));
  }
  // The user half of a 48-bit address space, less what an address-space limit takes away.
  SIZE_T space = SIZE_T{1} << 47;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < space) {
    space = static_cast<SIZE_T>(limit.rlim_cur);
  }
  status->dwTotalVirtual = space;
  status->dwAvailVirtual = space;
}

}  // namespace plat::probe
