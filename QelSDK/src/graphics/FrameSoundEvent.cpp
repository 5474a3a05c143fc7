// A frame event that plays a sound.
#include "graphics/FrameSoundEvent.h"

#include <utility>

namespace Qel {
namespace {

std::function<void(const FrameSoundEvent&)>& FireHook() {
  static std::function<void(const FrameSoundEvent&)> hook;
  return hook;
}

}  // namespace

bool FrameSoundEvent::Fire(int32_t, int32_t, int32_t) {
  if (const auto& hook = FireHook()) hook(*this);
  return false;
}

void FrameSoundEvent::SetFireHookForTesting(std::function<void(const FrameSoundEvent&)> hook) {
  FireHook() = std::move(hook);
}

}  // namespace Qel
