// Closing kernel object handles.
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

// Frees the object behind any handle a kernel stand-in gave out; FALSE for a null handle.
BOOL CloseHandle(HANDLE handle);

}  // namespace plat::win
