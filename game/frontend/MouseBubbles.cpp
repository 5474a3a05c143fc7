// The bubbles that rise from the pointer in the hub.
#include "frontend/MouseBubbles.h"

#include "core/Point2.h"
#include "framework/Ambient.h"
#include "framework/GameClock.h"
#include "framework/MouseCursor.h"
#include "platform/win/kernel/Random.h"

namespace {
bool IsIndex(int32_t index) {
  return index >= 0 && index < MouseBubbles::kBubbleCount;
}

// A draw of the process's generator scaled into [base, base + range], truncated.
int32_t Draw(int32_t range, int32_t base) {
  return static_cast<int32_t>(static_cast<double>(plat::win::rand()) / 32767.0 * range + base);
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

int32_t MouseBubbles::CountInUse() const {
  int32_t count = 0;
  for (const bool used : m_inUse) count += used;
  return count;
}

void MouseBubbles::Update(int32_t viewX) {
  const int32_t now = GameTimeNow();
  if (now > m_phaseEndTime) {
    m_active = !m_active;
    m_phaseEndTime = now + (m_active ? Draw(4000, 6000) : Draw(1000, 3000));
  }
  if (m_active && now > m_nextSpawnTime) {
    m_nextSpawnTime = now + Draw(300, 260);
    Spawn(viewX);
  }
}

void MouseBubbles::Spawn(int32_t viewX) {
  for (int32_t i = 0; i < kBubbleCount; ++i) {
    Ambient* bubble = m_bubbles[static_cast<size_t>(i)];
    if (m_inUse[static_cast<size_t>(i)] || !bubble) continue;
    m_inUse[static_cast<size_t>(i)] = true;
    Qel::Point2 pointer;
    MouseCursor::Instance().GetPosition(pointer);
    bubble->SetPosition(static_cast<float>(pointer.X() + viewX + kSpawnOffsetX),
                        static_cast<float>(pointer.Y() + kSpawnOffsetY));
    bubble->SetAnimation(kRise, 0);
    return;
  }
}

void MouseBubbles::Release(int32_t index) {
  if (IsIndex(index)) m_inUse[static_cast<size_t>(index)] = false;
}
