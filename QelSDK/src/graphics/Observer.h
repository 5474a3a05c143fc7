// The receiving side of a subscription: keeps the subjects it is linked to so either side may go first.
#pragma once

#include <cstdint>
#include <list>

namespace Qel {

class Observable;

class Observer {
public:
  Observer() = default;
  // Leaves every subject it still observes.
  virtual ~Observer();
  Observer(const Observer&) = delete;
  Observer& operator=(const Observer&) = delete;

  // Called synchronously by a subject's Notify; the subject is the observable part of the sender,
  // so receivers recover the full object by a run-time type test.
  virtual void OnNotify(Observable* subject, uint32_t sender, uint32_t event, void* data);

  void DetachAll();

private:
  friend class Observable;

  std::list<Observable*> m_subjects;
};

}  // namespace Qel
