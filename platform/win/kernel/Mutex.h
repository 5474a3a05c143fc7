// Named mutexes, which the game uses only to keep a second copy of itself from starting.
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

struct SECURITY_ATTRIBUTES;

// A named mutex is an exclusive flock on a file of that name in $PILO_LOCK_DIR, else
// $XDG_RUNTIME_DIR, else the temp folder, so it spans processes as the Windows one does. When
// another process holds it, the handle is still returned and GetLastError() reports
// ERROR_ALREADY_EXISTS; null when the lock file cannot be made at all.
HANDLE CreateMutexA(SECURITY_ATTRIBUTES* attributes, BOOL initialOwner, const char* name);
BOOL ReleaseMutex(HANDLE mutex);

namespace detail {
// Whether a handle is a mutex, which CloseHandle closes like a file.
bool IsMutexHandle(HANDLE handle);
}  // namespace detail

}  // namespace plat::win
