// Unnamed event objects over a mutex and a condition variable, and Sleep.
#include "platform/win/kernel/Events.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/LastError.h"

namespace plat::win {
namespace {

class Event : public detail::KernelObject {
public:
  Event(bool manualReset, bool signalled) : m_manualReset(manualReset), m_signalled(signalled) {}

  void Set() {
    {
      std::lock_guard lock(m_mutex);
      m_signalled = true;
    }
    // An auto-reset event releases one waiter; the others would find it cleared again.
    if (m_manualReset) {
      m_changed.notify_all();
    } else {
      m_changed.notify_one();
    }
  }

  void Reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
  }

  bool Wait(DWORD milliseconds) {
    std::unique_lock lock(m_mutex);
    const auto isSignalled = [this] { return m_signalled; };
    if (milliseconds == INFINITE) {
      m_changed.wait(lock, isSignalled);
    } else if (!m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), isSignalled)) {
      return false;
    }
    if (!m_manualReset) m_signalled = false;
    return true;
  }

private:
  const bool m_manualReset;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_signalled;
};

}  // namespace

HANDLE CreateEventA(SECURITY_ATTRIBUTES* /*attributes*/, BOOL manualReset, BOOL initialState,
                    const char* name) {
  if (name && *name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  return detail::AddObject(std::make_shared<Event>(manualReset != FALSE, initialState != FALSE));
}

BOOL SetEvent(HANDLE event) {
  const auto found = detail::FindObjectOf<Event>(event);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  found->Set();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  const auto found = detail::FindObjectOf<Event>(event);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  found->Reset();
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  // The object is held for the whole wait, so closing the handle meanwhile cannot free it under us.
  const auto found = detail::FindObjectOf<Event>(handle);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return found->Wait(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

namespace detail {
bool IsEventHandle(HANDLE handle) {
  return FindObjectOf<Event>(handle) != nullptr;
}
}  // namespace detail

}  // namespace plat::win
