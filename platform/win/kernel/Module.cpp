// The program's module (instance) handle and its file.
#include "platform/win/kernel/Module.h"

#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/win/kernel/LastError.h"
#include "platform/win/kernel/Path.h"

namespace plat::win {

struct ModuleToken {};

namespace {
ModuleToken gProgram;

// The executable's Linux path, as the kernel names it.
bool ProgramPath(std::string& path) {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) return false;
  path.assign(buffer, static_cast<size_t>(length));
  return true;
}
}  // namespace

HINSTANCE GetModuleHandleA(const char* /*moduleName*/) {
  return &gProgram;
}

DWORD GetModuleFileNameA(HINSTANCE /*module*/, char* buffer, DWORD size) {
  if (!buffer || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  std::string linuxPath;
  char windowsPath[PATH_MAX + 3];
  if (!ProgramPath(linuxPath)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const DWORD length = GetFullPathNameA(linuxPath.c_str(), sizeof windowsPath, windowsPath, nullptr);
  if (length == 0 || length >= sizeof windowsPath) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (length >= size) {
    std::memcpy(buffer, windowsPath, size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, windowsPath, length + 1);
  return length;
}

}  // namespace plat::win
