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
  static constexpr uint32_t kIdle = 1;
  static constexpr uint32_t kSwimRightStart = 2;
  static constexpr uint32_t kSwimRight = 5;
  static constexpr uint32_t kStopFromRight = 6;
  static constexpr uint32_t kSwimLeftStart = 7;
  static constexpr uint32_t kSwimLeft = 8;
  static constexpr uint32_t kStopFromLeft = 9;
  static constexpr uint32_t kTurnLeft = 10;
  static constexpr uint32_t kTurnRight = 11;
  static constexpr uint32_t kIdleBlink = 12;
  static constexpr uint32_t kIdleBored = 13;
  static constexpr uint32_t kSwimAcross = 14;
  // Requests: none, back to rest, or the swim that follows a started one.
  static constexpr int32_t kNoRequest = -1;
  static constexpr int32_t kStopRequest = 0;
  static constexpr int32_t kSwimRightRequest = 5;
  static constexpr int32_t kSwimLeftRequest = 8;

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
  // The visible body's animation; none without a body.
  uint32_t GetVisibleAnimation() const;

  // The view starts moving left (the world slides right) or right: the fish turns and swims along.
  void FollowLeft();
  void FollowRight();
  // The swim eases back to rest at the visible body's next loops.
  void RequestStop() { m_request = kStopRequest; }
  // Each loop of the visible body's animation: the next pose of a swim that starts or stops, or now
  // and then an idle variant while resting. Nothing while the fish talks.
  void OnBodyLooped();
  // The swim to the other side of the screen; FinishSwimAcross completes it when the swim has ended.
  void SwimAcross();
  // The body that swam across hides and the other body rests in its place; false when the object is
  // neither of this fish's bodies.
  bool FinishSwimAcross(const void* endedBody);

  int32_t GetAnimState() const { return m_animState; }
  int32_t GetSide() const { return m_side; }
  int32_t GetBodyIndex() const { return m_bodyIndex; }
  int32_t GetRequest() const { return m_request; }
  bool IsTalking() const { return m_talking; }
  void SetTalking(bool talking) { m_talking = talking; }

private:
  void Show(uint32_t animation, int32_t state, int frame = 0);
  // The request cases of the loop handler.
  void OnLoopWhileStopping();
  void OnLoopIntoSwimRight();
  void OnLoopIntoSwimLeft();

  std::array<Player*, 2> m_bodies{};
  std::array<Player*, 2> m_mouths{};
  int32_t m_animState = 0;
  int32_t m_side = kRightSide;
  int32_t m_bodyIndex = 0;
  int32_t m_request = -1;
  bool m_talking = false;
};
