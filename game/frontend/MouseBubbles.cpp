// The bubbles that rise from the pointer in the hub.
#include "frontend/MouseBubbles.h"

#include "framework/Ambient.h"

namespace {
bool IsIndex(int32_t index) {
  return index >= 0 && index < MouseBubbles::kBubbleCount;
}
}  // namespace

MouseBubbles::MouseBubbles() = default;

MouseBubbles::~MouseBubbles() = default;

void MouseBubbles::SetBubble(int32_t index, Ambient* bubble) {
  if (IsIndex(index)) m_bubbles[static_cast<size_t>(index)] = bubble;
}

Ambient* MouseBubbles::GetBubble(int32_t index) const {
  return IsIndex(index) ? m_bubbles[static_cast<size_t>(index)] : nullptr;
}

int32_t MouseBubbles::IndexOf(const GenericObject* object) const {
  if (!object) return -1;
  for (int32_t i = 0; i < kBubbleCount; ++i) {
    if (m_bubbles[static_cast<size_t>(i)] == object) return i;
  }
  return -1;
}

bool MouseBubbles::IsInUse(int32_t index) const {
  return IsIndex(index) && m_inUse[static_cast<size_t>(index)];
}
