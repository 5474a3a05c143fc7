// A frame event that plays a sound when its frame is reached.
#pragma once

#include <functional>
#include <string>

#include "graphics/FrameEvent.h"

namespace Qel {

// It keeps the name of the sound its frame plays. The engine's sound layer is not part of the build
// yet, so firing plays nothing: the sound object and the call that plays it join when that layer does.
class FrameSoundEvent : public FrameEvent {
public:
  explicit FrameSoundEvent(std::string soundName) : m_soundName(std::move(soundName)) {}

  // Never stops the track.
  bool Fire(int32_t frameStart, int32_t frameDuration, int32_t position) override;

  const std::string& GetSoundName() const { return m_soundName; }

  // Sees every firing, in order, so that tests can tell which sounds would have been played.
  static void SetFireHookForTesting(std::function<void(const FrameSoundEvent&)> hook);

private:
  std::string m_soundName;
};

}  // namespace Qel
