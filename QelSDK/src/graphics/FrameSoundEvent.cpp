// A frame event that plays a sound.
#include "graphics/FrameSoundEvent.h"

#include <utility>

#include "sound/Sound.h"
#include "sound/WinSoundManager.h"

namespace Qel {
namespace {

std::function<void(const FrameSoundEvent&)>& FireHook() {
  static std::function<void(const FrameSoundEvent&)> hook;
  return hook;
}

}  // namespace

bool FrameSoundEvent::Fire(int32_t, int32_t, int32_t) {
  if (const auto& hook = FireHook()) hook(*this);
  if (m_sound) WinSoundManager::Instance()->PlaySound(m_sound, false);
  return false;
}

const std::string& FrameSoundEvent::GetSoundName() const {
  static const std::string kNone;
  return m_sound ? m_sound->GetName() : kNone;
}

void FrameSoundEvent::SetFireHookForTesting(std::function<void(const FrameSoundEvent&)> hook) {
  FireHook() = std::move(hook);
}

}  // namespace Qel
