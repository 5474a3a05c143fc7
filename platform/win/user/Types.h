// The handle and value types of the Windows user-interface calls our code makes.
#pragma once

#include <cstdint>

namespace plat::win {

using BOOL = int;
using WORD = uint16_t;

// Opaque handles: only the stand-in looks behind them.
struct WindowHandle;
using HWND = WindowHandle*;
struct DeviceContext;
using HDC = DeviceContext*;

}  // namespace plat::win
