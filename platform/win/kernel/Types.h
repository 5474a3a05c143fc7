// The basic Windows value types and handle the kernel stand-ins trade in.
#pragma once

#include <cstdint>

namespace plat::win {

using DWORD = uint32_t;
using LONG = int32_t;
using BOOL = int;
using HANDLE = void*;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;
inline constexpr DWORD MAX_PATH = 260;

// What the handle-returning calls answer on failure (null is never a valid handle either).
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~uintptr_t{0});

}  // namespace plat::win
