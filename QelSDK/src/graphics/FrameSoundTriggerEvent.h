// A frame event that announces a named sound trigger to whoever listens for frame-sound events.
#pragma once

#include <string>

#include "graphics/FrameEvent.h"

namespace Qel {

// The kind of the events it posts, with id 0 and a pointer to a std::string holding the name, valid
// only during the post.
inline constexpr int kEventFrameSound = 3;

class FrameSoundTriggerEvent : public FrameEvent {
public:
  explicit FrameSoundTriggerEvent(std::string name) : m_name(std::move(name)) {}

  // Posts nothing when the name is empty or no event manager exists. Never stops the track.
  bool Fire(int32_t frameStart, int32_t frameDuration, int32_t position) override;

  const std::string& GetName() const { return m_name; }

private:
  std::string m_name;
};

}  // namespace Qel
