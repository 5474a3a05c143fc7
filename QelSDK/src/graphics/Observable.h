// The subject of a subscription: notifies its observers synchronously, in the order they subscribed.
#pragma once

#include <cstdint>
#include <vector>

namespace Qel {

class Observer;

class Observable {
public:
  Observable() = default;
  // Unlinks every observer; a notification running at that moment stops after the current call.
  virtual ~Observable();
  Observable(const Observable&) = delete;
  Observable& operator=(const Observable&) = delete;

  // An observer already subscribed is not added twice.
  void AddObserver(Observer* observer);
  void RemoveObserver(Observer* observer);
  void RemoveAllObservers();

  // Observers may subscribe, unsubscribe (themselves or others), be destroyed, notify again or
  // destroy this subject from inside OnNotify; observers added meanwhile are reached by the same walk.
  void Notify(uint32_t sender, uint32_t event, void* data);

private:
  // One per Notify on the stack, innermost first, so that the destructor can tell every running
  // walk to stop touching this object.
  // Also unwinds when an observer throws.
  class NotifyFrame {
  public:
    explicit NotifyFrame(Observable& subject);
    ~NotifyFrame();
    NotifyFrame(const NotifyFrame&) = delete;
    NotifyFrame& operator=(const NotifyFrame&) = delete;

    Observable& m_subject;
    NotifyFrame* m_outer;
    bool m_subjectDestroyed = false;
  };

  // A null entry is an observer removed while a walk may stand on its entry.
  std::vector<Observer*> m_observers;
  NotifyFrame* m_notifyFrames = nullptr;
  // Whether a removal during a walk left null entries for the outermost walk to sweep up.
  bool m_holes = false;
};

}  // namespace Qel
