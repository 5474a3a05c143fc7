// Named mutexes as exclusive file locks.
#include "platform/win/kernel/Mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/LastError.h"

namespace plat::win {
namespace {

class NamedMutex : public detail::KernelObject {
public:
  explicit NamedMutex(int fd) : m_fd(fd) {}
  ~NamedMutex() override { close(m_fd); }  // closing the descriptor drops the lock too

  // The lock marks that the mutex exists, so it is held for as long as the handle is open (as a
  // Windows mutex lives until its last handle closes), whoever owns it.
  bool TryLock() {
    while (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  void SetOwned(bool owned) { m_owned = owned; }

  bool Release() {
    if (!m_owned) return false;
    m_owned = false;
    return true;
  }

private:
  int m_fd;
  bool m_owned = false;
};

std::string LockFolder() {
  for (const char* variable : {"PILO_LOCK_DIR", "XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "/tmp";
}

// A mutex name may hold '/', which a file name cannot.
std::string LockFileName(const char* name) {
  std::string file;
  for (const char* c = name; *c; ++c) file += (*c == '/') ? '_' : *c;
  return file;
}

}  // namespace

HANDLE CreateMutexA(SECURITY_ATTRIBUTES* /*attributes*/, BOOL initialOwner, const char* name) {
  if (!name || !*name) {
    // Unnamed mutexes have no caller in the game.
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string path = LockFolder() + "/" + LockFileName(name);
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  auto mutex = std::make_shared<NamedMutex>(fd);
  // A lock that another process holds is the one case Windows reports as "already exists".
  const bool created = mutex->TryLock();
  mutex->SetOwned(created && initialOwner != FALSE);
  HANDLE handle = detail::AddObject(mutex);
  SetLastError(created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return handle;
}

BOOL ReleaseMutex(HANDLE mutex) {
  const auto named = detail::FindObjectOf<NamedMutex>(mutex);
  if (!named) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!named->Release()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}

namespace detail {
bool IsMutexHandle(HANDLE handle) {
  return FindObjectOf<NamedMutex>(handle) != nullptr;
}
}  // namespace detail

}  // namespace plat::win
