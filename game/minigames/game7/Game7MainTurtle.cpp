// The player's turtle, which also holds the game's state number.
#include "game7/Game7MainTurtle.h"

#include "framework/SpriteObject.h"

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
