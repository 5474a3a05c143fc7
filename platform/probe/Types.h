// The Windows value types of the probe calls, beside the kernel's basic ones.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/kernel/WinTypes.h"

namespace plat::probe {

using plat::win::BOOL;
using plat::win::DWORD;
using plat::win::FALSE;
using plat::win::HANDLE;
using plat::win::TRUE;
using DWORD_PTR = uintptr_t;
using SIZE_T = size_t;

// Only the 64-bit view of the counter values is used.
struct LARGE_INTEGER {
  int64_t QuadPart = 0;
};

}  // namespace plat::probe
