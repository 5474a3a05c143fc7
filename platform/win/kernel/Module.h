// The program's module (instance) handle, the owner of its resources such as icon 102, and its file.
#pragma once

#include "platform/win/kernel/Types.h"

namespace plat::win {

struct ModuleToken;
using HINSTANCE = ModuleToken*;

// Only the program's own module exists: any name gives it.
HINSTANCE GetModuleHandleA(const char* moduleName);

// The program's file (the executable the kernel started) in the Windows view ("Z:\...\name"), for
// any module handle, null included. Answers the length written without the terminator; a buffer too
// small gets as much as fits, terminated, and the answer is its size (ERROR_INSUFFICIENT_BUFFER).
// 0 when the file cannot be named (ERROR_INVALID_PARAMETER for no buffer).
DWORD GetModuleFileNameA(HINSTANCE module, char* buffer, DWORD size);

}  // namespace plat::win
