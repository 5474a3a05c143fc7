// Posting the sound events.
#include "sound/SoundEvents.h"

#include "core/EventManager.h"
#include "sound/Sound.h"

namespace Qel {

void PostSoundEvent(int id, const Sound& sound) {
  // A sound that outlives the event manager must not bring it back at shut-down.
  if (!EventManager::Exists()) return;
  EventManager::GetInstance()->PostEvent(kEventSound, id, const_cast<char*>(sound.GetId().c_str()));
}

}  // namespace Qel
