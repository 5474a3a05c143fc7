// Closing kernel object handles.
#include "platform/win/kernel/Handle.h"

#include "platform/win/kernel/KernelObject.h"
#include "platform/win/kernel/LastError.h"

namespace plat::win {

BOOL CloseHandle(HANDLE handle) {
  if (!handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete static_cast<KernelObject*>(handle);
  return TRUE;
}

}  // namespace plat::win
