// The player's turtle, which also holds the game's state number.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "framework/Ambient.h"
#include "game7/Game7Node.h"

class Game7Node::MainTurtle : public Ambient {
public:
  static constexpr const char* kName = "singleMainTurtle";
  static constexpr const char* kSprite = "BragoTurtle";

  MainTurtle();
  ~MainTurtle() override;

  int32_t m_state = IDLE;
  float m_startX = 0.0f;
  float m_startY = 0.0f;
  int32_t m_idleSequence = 0;
  float m_targetX = 0.0f;
  float m_targetY = 0.0f;

  // Animation ids the node waits for or sets.
  static constexpr uint32_t kIdleAnimation = 0;
  static constexpr uint32_t kHitAnimation = 6;
  static constexpr uint32_t kRecoverAnimation = 10;
  static constexpr uint32_t kVortexAnimation = 13;

  // One update of a moving state (IDLE to MOVE_LEFT) at the level's turtle speed: the state chosen
  // from the pointer, its animation, and the move toward the pointer inside the play box; a pointer
  // far off gives a catch-up speed.
  void Steer(const Qel::Point2& pointer, float speed);
  // One update of a dash: once at the top or bottom the turtle follows the pointer sideways only.
  void FollowSideways(const Qel::Point2& pointer, float speed);
  // Off to the top (up) or bottom of the play box, fast.
  void StartDash(bool up, const Qel::Point2& pointer, float speed);
  // Knocked back by an obstacle, its collision off until it recovers.
  void KnockBack(float speed);
  // Knocked out: swept off to the left edge.
  void SweepOff(float speed);
  // Into the vortex at (x, y).
  void SwimInto(float x, float y, float speed);

  // The moving state (IDLE to MOVE_LEFT) for a turtle at (x, y) and the pointer at (px, py):
  // a vertical distance beyond the dead zone wins over a horizontal one.
  static int32_t ChooseMoveState(float x, float y, float px, float py);
  // The pointer's x or y as a move target, held at the turtle's own value when the pointer lies
  // beyond the edge of the play box the turtle is already outside of (low, high).
  static float FollowTarget(float pos, float pointer, float low, float high);
  // A dash's target x: as FollowTarget, with the pointer limited to the play box.
  static float DashTargetX(float x, float px);
};
