// Tells a member function that calls out to observers whether its own object was destroyed meanwhile.
#pragma once

namespace Qel {

// Observers are told of changes synchronously and may release the very object that tells them (a sprite
// dropped by its owner inside its own "ende"); code that goes on after a notification asks its watch
// first. One watch per call on the stack, innermost first, as the object may be notified again inside.
class LifeGuard {
public:
  LifeGuard() = default;
  ~LifeGuard() {
    for (Watch* watch = m_watches; watch != nullptr; watch = watch->m_outer) watch->m_gone = true;
  }
  LifeGuard(const LifeGuard&) = delete;
  LifeGuard& operator=(const LifeGuard&) = delete;

  class Watch {
  public:
    explicit Watch(LifeGuard& guard) : m_guard(guard), m_outer(guard.m_watches) { guard.m_watches = this; }
    ~Watch() {
      if (!m_gone) m_guard.m_watches = m_outer;
    }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    bool IsGone() const { return m_gone; }

  private:
    friend class LifeGuard;

    LifeGuard& m_guard;
    Watch* m_outer;
    bool m_gone = false;
  };

private:
  Watch* m_watches = nullptr;
};

}  // namespace Qel
