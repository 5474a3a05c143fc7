// The program's module (instance) handle.
#include "platform/win/kernel/Module.h"

namespace plat::win {

struct ModuleToken {};

namespace {
ModuleToken gProgram;
}

HINSTANCE GetModuleHandleA(const char* /*moduleName*/) {
  return &gProgram;
}

}  // namespace plat::win
