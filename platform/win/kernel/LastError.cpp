// The calling thread's last-error code.
#include "platform/win/kernel/LastError.h"

namespace plat::win {
namespace {
thread_local DWORD tLastError = ERROR_SUCCESS;
}

DWORD GetLastError() {
  return tLastError;
}
void SetLastError(DWORD code) {
  tLastError = code;
}

}  // namespace plat::win
