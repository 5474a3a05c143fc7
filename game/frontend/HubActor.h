// One fish of the hub's cast: a body and a mouth for each side of the screen, of which one body shows.
#pragma once

#include <array>
#include <cstdint>

class Player;

// The hub makes and owns the four sprites; the actor only points at them. Every sprite of the cast
// stands at the view's left edge, so the fish stay where they are on the screen while the world
// scrolls under them.
class HubActor {
public:
  static constexpr int32_t kRightSide = 0;
  static constexpr int32_t kLeftSide = 1;
  // Body animations.
  static constexpr uint32_t kRest = 0;

  HubActor();
  virtual ~HubActor();
  HubActor(const HubActor&) = delete;
  HubActor& operator=(const HubActor&) = delete;

  // Index 0 serves the right side, 1 the left.
  void SetSprites(Player* rightBody, Player* leftBody, Player* rightMouth, Player* leftMouth);
  // Both bodies and both mouths.
  void MoveTo(float x, float y);
  // Null before the sprites are set or after they are gone.
  Player* GetBody(int32_t index) const;
  Player* GetMouth(int32_t index) const;
  Player* GetVisibleBody() const { return GetBody(m_bodyIndex); }

  int32_t GetAnimState() const { return m_animState; }
  int32_t GetSide() const { return m_side; }
  int32_t GetBodyIndex() const { return m_bodyIndex; }
  int32_t GetRequest() const { return m_request; }
  bool IsTalking() const { return m_talking; }
  void SetTalking(bool talking) { m_talking = talking; }

private:
  std::array<Player*, 2> m_bodies{};
  std::array<Player*, 2> m_mouths{};
  int32_t m_animState = 0;
  int32_t m_side = kRightSide;
  int32_t m_bodyIndex = 0;
  int32_t m_request = -1;
  bool m_talking = false;
};
