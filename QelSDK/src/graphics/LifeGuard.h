// Tells a member function that calls out to observers whether its own object was destroyed meanwhile.
#pragma once

namespace Qel {

// Observers are told of changes synchronously and may release the very object that tells them (a sprite
// dropped by its owner inside its own "ende"); code that goes on after a notification asks its watch
// first. One watch per call on the stack, innermost first, as the object may be notified again inside.
class LifeGuard {
public:
  LifeGuard() = default;
  ~LifeGuard();
  LifeGuard(const LifeGuard&) = delete;
  LifeGuard& operator=(const LifeGuard&) = delete;

  class Watch {
  public:
    explicit Watch(LifeGuard& guard);
    ~Watch();
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
