// The program's module (instance) handle, the owner of its resources such as icon 102.
#pragma once

namespace plat::win {

struct ModuleToken;
using HINSTANCE = ModuleToken*;

// Only the program's own module exists: any name gives it.
HINSTANCE GetModuleHandleA(const char* moduleName);

}  // namespace plat::win
