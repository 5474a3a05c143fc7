// A frame event that plays a sound when its frame is reached.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "graphics/FrameEvent.h"

namespace Qel {

class Sound;

class FrameSoundEvent : public FrameEvent {
public:
  explicit FrameSoundEvent(std::shared_ptr<Sound> sound) : m_sound(std::move(sound)) {}

  // Plays the sound through the sound manager, never restarting one that still plays; never stops
  // the track. An event without a sound does nothing.
  bool Fire(int32_t frameStart, int32_t frameDuration, int32_t position) override;

  const std::shared_ptr<Sound>& GetSound() const { return m_sound; }
  // The resource name of the sound, empty without one.
  const std::string& GetSoundName() const;

  // Sees every firing, in order, before the sound is played.
  static void SetFireHookForTesting(std::function<void(const FrameSoundEvent&)> hook);

private:
  std::shared_ptr<Sound> m_sound;
};

}  // namespace Qel
