// A frame event that does nothing: the base of the sound, trigger and pause events.
#include "graphics/FrameEvent.h"

namespace Qel {

bool FrameEvent::Fire(int32_t, int32_t, int32_t) {
  return false;
}

}  // namespace Qel
