// The player's turtle, which also holds the game's state number.
#include "game7/Game7MainTurtle.h"

#include "framework/SpriteObject.h"
#include "game7/Game7Objects.h"
#include "platform/win/kernel/Random.h"

#include <algorithm>
#include <cmath>

Game7Node::MainTurtle::MainTurtle() : Ambient(kName, kSprite, SpriteObject::kClockGame) {}

Game7Node::MainTurtle::~MainTurtle() = default;

namespace {
constexpr float kDeadZone = 15.0f;
constexpr float kBoxLeft = 100.0f;
constexpr float kBoxRight = 700.0f;
}  // namespace

int32_t Game7Node::MainTurtle::ChooseMoveState(float x, float y, float px, float py) {
  int32_t state = IDLE;
  const float dx = px - x;
  if (std::fabs(dx) > kDeadZone) state = dx > 0 ? MOVE_RIGHT : MOVE_LEFT;
  const float dy = py - y;
  if (std::fabs(dy) > kDeadZone) state = dy > 0 ? MOVE_DOWN : MOVE_UP;
  return state;
}

float Game7Node::MainTurtle::FollowTarget(float pos, float pointer, float low, float high) {
  if ((pos < low && pointer < pos) || (pos > high && pointer > pos)) return pos;
  return pointer;
}

float Game7Node::MainTurtle::DashTargetX(float x, float px) {
  if ((x < kBoxLeft && px < x) || (x > kBoxRight && px > x)) return x;
  return std::clamp(px, kBoxLeft, kBoxRight);
}

namespace {
constexpr float kBoxTop = 100.0f;
constexpr float kBoxBottom = 500.0f;
constexpr float kCatchUpDistance = 100.0f;
constexpr float kFastExtra = 100.0f;
constexpr float kVortexExtra = 150.0f;
// Where a knocked-out turtle is swept to: off the left edge.
constexpr float kSweepX = -75.0f;

// The swimming animations start at one of their first frames, so turtles side by side do not swim
// in step.
int StartFrame() {
  return plat::win::rand() % 3;
}
}  // namespace

void Game7Node::MainTurtle::Steer(const Qel::Point2& pointer, float speed) {
  const float x = GetX();
  const float y = GetY();
  const auto px = static_cast<float>(pointer.X());
  const auto py = static_cast<float>(pointer.Y());
  m_state = ChooseMoveState(x, y, px, py);
  const auto animation = static_cast<uint32_t>(m_state);
  if (GetAnimationId() != animation) SetAnimation(animation, StartFrame());
  // Close to the pointer the turtle glides on to its last target.
  if (m_state == IDLE) return;
  m_targetX = FollowTarget(x, px, kBoxLeft, kBoxRight);
  m_targetY = FollowTarget(y, py, kBoxTop, kBoxBottom);
  MoveToward(m_targetX, m_targetY, DistanceTo(px, py) > kCatchUpDistance ? speed + kFastExtra : speed);
}

void Game7Node::MainTurtle::FollowSideways(const Qel::Point2& pointer, float speed) {
  if (!game7::IsStopped(*this)) return;
  if (GetAnimationId() != kIdleAnimation) SetAnimation(kIdleAnimation, 0);
  m_targetX = DashTargetX(GetX(), static_cast<float>(pointer.X()));
  m_targetY = GetY();
  MoveToward(m_targetX, m_targetY, speed);
}

void Game7Node::MainTurtle::StartDash(bool up, const Qel::Point2& pointer, float speed) {
  m_targetX = DashTargetX(GetX(), static_cast<float>(pointer.X()));
  m_state = up ? DASH_UP : DASH_DOWN;
  m_targetY = up ? kBoxTop : kBoxBottom;
  SetAnimation(static_cast<uint32_t>(m_state), 0);
  MoveToward(m_targetX, m_targetY, speed + kFastExtra);
}

void Game7Node::MainTurtle::KnockBack(float speed) {
  SetAnimation(kHitAnimation, 0);
  DisableCollision();
  const float x = GetX();
  const float y = GetY();
  // Near the left edge the knock is a nudge, so the turtle is not thrown off the screen.
  if (x > 55.0f) {
    MoveToward(x - 100.0f, y - 5.0f, speed + kFastExtra);
  } else {
    MoveToward(x - 2.0f, y, speed + kFastExtra);
  }
}

void Game7Node::MainTurtle::SweepOff(float speed) {
  SetAnimation(plat::win::rand() % 3 == 0 ? 7 : 8, 0);
  DisableCollision();
  MoveToward(kSweepX, GetY() - 5.0f, speed + kFastExtra);
}

void Game7Node::MainTurtle::SwimInto(float x, float y, float speed) {
  SetAnimation(kVortexAnimation, 0);
  MoveToward(x, y, speed + kVortexExtra);
}
