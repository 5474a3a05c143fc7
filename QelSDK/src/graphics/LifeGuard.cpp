// The guard against an object destroyed while one of its calls is out with an observer.
#include "graphics/LifeGuard.h"

namespace Qel {

LifeGuard::~LifeGuard() {
  for (Watch* watch = m_watches; watch != nullptr; watch = watch->m_outer) watch->m_gone = true;
}

// Out of line: the compiler cannot tell that a watch always leaves the list before it goes, and warns
// about its address kept in the guard wherever both are inlined together.
LifeGuard::Watch::Watch(LifeGuard& guard) : m_guard(guard), m_outer(guard.m_watches) {
  guard.m_watches = this;
}

LifeGuard::Watch::~Watch() {
  if (!m_gone) m_guard.m_watches = m_outer;
}

}  // namespace Qel
