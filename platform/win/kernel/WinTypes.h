// The Windows scalar and handle types of the user-interface, sound and text calls, beside the
// kernel's basic ones.
#pragma once

#include <cstdint>

#include "platform/win/kernel/Types.h"

namespace plat::win {

using BYTE = uint8_t;
using WORD = uint16_t;
using UINT = unsigned int;
using WCHAR = char16_t;  // UTF-16 code unit, as on Windows (Linux's wchar_t is 32 bits)
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// Opaque handles: only the user-interface stand-in looks behind them; the others pass them on.
struct WindowHandle;
using HWND = WindowHandle*;
struct DeviceContext;
using HDC = DeviceContext*;

// Right and bottom are outside the rectangle. One layout for every stand-in, so a rectangle
// passes between the window, text and Direct3D calls as it does on Windows.
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct POINT {
  LONG x;
  LONG y;
};

inline constexpr WORD LOWORD(uintptr_t value) {
  return static_cast<WORD>(value & 0xFFFFu);
}
inline constexpr WORD HIWORD(uintptr_t value) {
  return static_cast<WORD>((value >> 16) & 0xFFFFu);
}
inline constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
  return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}

}  // namespace plat::win
