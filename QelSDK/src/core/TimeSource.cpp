// The time source's per-frame reading.
#include "core/TimeSource.h"

namespace Qel {

uint32_t TimeSource::Update() {
  m_lastTime = GetTime();
  return m_lastTime;
}

}  // namespace Qel
