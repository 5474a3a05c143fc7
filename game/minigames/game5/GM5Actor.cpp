// The player's fish.
#include <initializer_list>

#include "framework/MainApp.h"
#include "framework/MotionMath.h"
#include "game5/Game5Node.h"
#include "game5/Gm5Sprites.h"
#include "graphics/DisplayDevice.h"
#include "platform/win/kernel/Random.h"

namespace {

// The mouse must move this far in x between two loops for the fish to turn.
constexpr int32_t kTurnDistance = 28;
constexpr int32_t kBobInterval = 100;
constexpr float kBobLimit = 3.25f;
constexpr float kBobReturn = 0.6f;
// Where the circle's centre stands from the arc point, by facing.
constexpr Qel::Point2 kCircleFacingLeft{60, 64};
constexpr Qel::Point2 kCircleFacingRight{26, 64};
// Animations of poses 0 to 3 are these plus the pose: the fish with or without the ball.
constexpr int32_t kHoldingBase = 0;
constexpr int32_t kFreeBase = 10;

bool IsOneOf(int32_t pose, std::initializer_list<int32_t> poses) {
  for (const int32_t p : poses) {
    if (p == pose) return true;
  }
  return false;
}

Qel::Point2 DisplayMouse() {
  if (Qel::DisplayDevice* display = GetApp().GetDisplay()) return display->GetMousePosition();
  return {};
}

}  // namespace

Game5Node::GM5Actor::GM5Actor()
    : m_lastMouse(DisplayMouse()), m_bob(static_cast<float>(plat::win::rand() % 10) * 0.325f) {}

void Game5Node::GM5Actor::SetAnimation(int32_t id) {
  if (m_sprite && id >= 0) m_sprite->SetAnimation(static_cast<uint32_t>(id), 0);
}

void Game5Node::GM5Actor::StartThrow() {
  m_pose = m_facing == kFacingLeft ? 4 : 5;
  SetAnimation(m_pose);
  ++m_bounceCooldown;
}

void Game5Node::GM5Actor::PlayCatch() {
  m_pose = m_facing == kFacingRight ? 9 : 8;
  SetAnimation(m_pose);
}

void Game5Node::GM5Actor::PlayBounce() {
  m_pose = m_facing == kFacingRight ? 21 : 20;
  SetAnimation(m_pose);
}

void Game5Node::GM5Actor::Hurry() {
  if (m_pose == 4 || m_pose == 5) return;
  m_pose = m_facing == kFacingRight ? 23 : 22;
  SetAnimation(m_pose);
}

bool Game5Node::GM5Actor::UpdateAnimation() {
  return UpdateAnimation(DisplayMouse());
}

bool Game5Node::GM5Actor::UpdateAnimation(Qel::Point2 mouse) {
  const bool throwing = m_pose == 4 || m_pose == 5;
  if (mouse.X() < m_lastMouse.X() - kTurnDistance) {
    m_movement = 2;
    m_facing = kFacingLeft;
  } else if (mouse.X() > m_lastMouse.X() + kTurnDistance) {
    m_movement = 1;
    m_facing = kFacingRight;
  } else {
    m_movement = 0;
  }
  m_lastMouse = mouse;
  const int32_t base = !m_ballHeld || throwing ? kFreeBase : kHoldingBase;
  const int32_t pose = m_pose;

  if (m_buttonHeld && !m_ballHeld) {
    // Ready to catch.
    bool play = true;
    if (m_movement == 0) {
      m_pose = m_facing == kFacingRight ? 17 : 16;
    } else if (m_movement == 1) {
      if (IsOneOf(pose, {0, 2, 4, 8, 16, 18, 20})) {
        m_pose = 19;
      } else if (pose == 17) {
        play = false;
      } else {
        m_pose = 17;
      }
    } else {
      if (IsOneOf(pose, {1, 3, 5, 9, 17, 19, 21})) {
        m_pose = 18;
      } else if (pose == 16) {
        play = false;
      } else {
        m_pose = 16;
      }
    }
    if (play) SetAnimation(m_pose);
    return throwing;
  }

  if (m_movement == 1) {
    if (IsOneOf(pose, {0, 2, 16, 18, 20})) {
      m_pose = 3;
    } else if (IsOneOf(pose, {1, 3, 4, 5, 8, 9, 17, 19, 21})) {
      m_pose = 1;
    } else if (pose == 22 || pose == 24) {
      m_pose = 25;
    } else if (pose == 25) {
      m_pose = 23;
    }
  } else if (m_movement == 2) {
    if (IsOneOf(pose, {0, 2, 4, 5, 8, 9, 16, 18, 20})) {
      m_pose = 0;
    } else if (IsOneOf(pose, {1, 3, 17, 19, 21})) {
      m_pose = 2;
    } else if (pose == 23 || pose == 25) {
      m_pose = 24;
    } else if (pose == 24) {
      m_pose = 22;
    }
  } else {
    if (IsOneOf(pose, {0, 1, 4, 5, 8, 9, 16, 17, 18, 19, 20, 21})) {
      m_pose = m_facing == kFacingRight ? 1 : 0;
    } else if (pose == 2) {
      m_pose = 0;
    } else if (pose == 3) {
      m_pose = 1;
    } else if (pose == 24) {
      m_pose = 22;
    } else if (pose == 25) {
      m_pose = 23;
    }
  }
  if (m_pose >= 0 && m_pose <= 3) {
    SetAnimation(base + m_pose);
  } else if (m_pose >= 22 && m_pose <= 25) {
    SetAnimation(m_pose);
  }
  return throwing;
}

void Game5Node::GM5Actor::Bob() {
  if (!gm5::IsPast(m_nextBobAt)) return;
  m_nextBobAt = GameTimeNow() + kBobInterval;
  m_bob += m_bobStep;
  if (m_bob <= -kBobLimit) {
    m_bobStep = kBobReturn;
  } else if (m_bob >= kBobLimit) {
    m_bobStep = -kBobReturn;
  }
  m_bobApplied = m_bob;
}

void Game5Node::GM5Actor::SyncSprite() {
  const int32_t x = m_arc.GetX();
  const int32_t y = m_arc.GetY();
  if (m_sprite) {
    m_sprite->SetPosition(static_cast<float>(x - m_spriteOffset.X()),
                          static_cast<float>(Motion::TruncateToInt(y - m_spriteOffset.Y() + m_bobApplied)));
  }
  const Qel::Point2 offset = m_facing == kFacingLeft ? kCircleFacingLeft : kCircleFacingRight;
  m_circle.Set({x + offset.X(), y + offset.Y()}, m_circle.GetRadius());
}

Qel::Point2 Game5Node::GM5Actor::GetHandPoint() const {
  return {m_arc.GetX(), Motion::TruncateToInt(m_arc.GetY() + m_bobApplied)};
}

bool Game5Node::GM5Actor::TouchesPoint(Qel::Point2 point) const {
  return m_circle.TestHit(point);
}

bool Game5Node::GM5Actor::TryCatch(Qel::Point2 point) {
  if (!m_buttonHeld || !m_circle.TestHit(point)) return false;
  m_ballHeld = true;
  return true;
}

int32_t Game5Node::GM5Actor::Bounce(int32_t heading, Qel::Point2 point) {
  if (m_bounceCooldown != 0) {
    if (m_bounceCooldown < kBounceCooldown) {
      ++m_bounceCooldown;
      return -1;
    }
    m_bounceCooldown = 0;
  }
  if (!m_circle.TestHit(point)) return -1;
  int32_t normal = 0;
  const int32_t out = m_circle.Deflect(heading, point.X(), point.Y(), normal);
  // The normal points into the circle where the ball comes from above; the ball goes back out.
  m_contactAngle = (normal + 180) % 360;
  m_bounceCooldown = 1;
  return out;
}
