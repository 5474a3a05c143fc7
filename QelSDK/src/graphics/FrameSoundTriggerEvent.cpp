// A frame event that posts a named sound trigger.
#include "graphics/FrameSoundTriggerEvent.h"

#include "core/EventManager.h"

namespace Qel {

bool FrameSoundTriggerEvent::Fire(int32_t, int32_t, int32_t) {
  if (m_name.empty() || !EventManager::Exists()) return false;
  // Listeners get their own copy: one of them may drop the very event that posts.
  std::string name = m_name;
  EventManager::GetInstance()->PostEvent(kEventFrameSound, 0, &name);
  return false;
}

}  // namespace Qel
