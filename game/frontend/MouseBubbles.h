// The bubbles that rise from the pointer in the hub: twenty sprites taken in turn, in phases of
// bubbling and of quiet.
#pragma once

#include <array>
#include <cstdint>

class Ambient;
class GenericObject;

// The hub makes and owns the bubble sprites, and only when the display can blend them.
class MouseBubbles {
public:
  static constexpr int32_t kBubbleCount = 20;
  static constexpr uint32_t kRise = 0;
  static constexpr uint32_t kRest = 1;
  // Where a bubble starts, from the pointer.
  static constexpr int32_t kSpawnOffsetX = -30;
  static constexpr int32_t kSpawnOffsetY = -165;

  MouseBubbles();
  virtual ~MouseBubbles();
  MouseBubbles(const MouseBubbles&) = delete;
  MouseBubbles& operator=(const MouseBubbles&) = delete;

  // Phases: bubbling for 6 to 10 s, then quiet for 3 to 4 s; the first step ends the first phase,
  // so the bubbles begin with a quiet one. While bubbling, a bubble every 260 to 560 ms.
  void Update(int32_t viewX);
  // The first free bubble rises from the pointer (on the screen; the view's x makes it a place in
  // the world). Nothing while all are rising.
  void Spawn(int32_t viewX);
  // The bubble's rise has ended; other indices are ignored.
  void Release(int32_t index);

  // Index 0 to 19; other indices are ignored. Null forgets the bubble.
  void SetBubble(int32_t index, Ambient* bubble);
  Ambient* GetBubble(int32_t index) const;
  // The index of the bubble, or -1 when it is none of them.
  int32_t IndexOf(const GenericObject* object) const;

  bool IsInUse(int32_t index) const;
  int32_t CountInUse() const;
  bool IsActive() const { return m_active; }
  int32_t GetNextSpawnTime() const { return m_nextSpawnTime; }
  int32_t GetPhaseEndTime() const { return m_phaseEndTime; }

private:
  std::array<Ambient*, kBubbleCount> m_bubbles{};
  std::array<bool, kBubbleCount> m_inUse{};
  int32_t m_nextSpawnTime = 0;
  int32_t m_phaseEndTime = 0;
  bool m_active = true;
};
