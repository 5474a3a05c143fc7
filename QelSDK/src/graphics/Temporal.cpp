// The clock side of an animation.
#include "graphics/Temporal.h"

#include "core/SystemClock.h"
#include "core/TimeSource.h"

namespace Qel {

uint32_t Temporal::GetTime() const {
  TimeSource* clock = m_clock ? m_clock : SystemClock::GetInstance();
  if (clock == nullptr) return 0;
  return m_useFrameTime ? clock->GetLastTime() : clock->GetTime();
}

}  // namespace Qel
