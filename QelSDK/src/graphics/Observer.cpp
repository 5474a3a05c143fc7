// The receiving side of a subscription.
#include "graphics/Observer.h"

#include "graphics/Observable.h"

namespace Qel {

Observer::~Observer() {
  DetachAll();
}

void Observer::OnNotify(Observable*, uint32_t, uint32_t, void*) {}

void Observer::DetachAll() {
  // The entry goes before the call, so the subject's own bookkeeping finds nothing left to erase.
  while (!m_subjects.empty()) {
    Observable* subject = m_subjects.front();
    m_subjects.pop_front();
    subject->RemoveObserver(this);
  }
}

}  // namespace Qel
