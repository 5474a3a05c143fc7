// The swim game's fish: its animation sets, its blink and its turn back to the swimming direction.
#include "game6/Game6Pilo.h"

#include <algorithm>
#include <cmath>

#include "framework/ExtraObjectFactory.h"
#include "framework/GameClock.h"
#include "graphics/Sprite.h"
#include "platform/win/kernel/Random.h"

namespace {

// How long the fish keeps facing back after the player stops steering left.
constexpr int32_t kTurnBackDelay = 500;

// Far beyond any screen, with room for the dead bands on either side.
constexpr double kFarOff = 1 << 30;

// The whole pixels of a coordinate moved by an offset, cut toward zero as a plain conversion would,
// and held within kFarOff either way (not a number counts as 0).
int32_t SteeringPixel(float coordinate, int64_t offset) {
  const double value = std::trunc(static_cast<double>(coordinate)) + static_cast<double>(offset);
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -kFarOff, kFarOff));
}

}  // namespace

// The object files name the fish's class; the framework's factory learns it from the game, since the
// framework may not include a mini-game.
void Game6Node::Game6Pilo::RegisterClass() {
  RegisterExtraObjectClass("Game6Pilo", ObjectClass::Make<Game6Pilo>);
}

Game6Node::Game6Pilo::Game6Pilo(const char* objectName, const char* spriteName)
    : Character(objectName, spriteName) {}

uint32_t Game6Node::Game6Pilo::GetShownAnimation() const {
  return GetAnimationId();
}

bool Game6Node::Game6Pilo::IsFacingBack() const {
  const uint32_t shown = GetShownAnimation();
  return shown != Qel::Sprite::kNoAnimation && shown >= kSetB;
}

bool Game6Node::Game6Pilo::IsShowing(uint32_t n) const {
  const uint32_t shown = GetShownAnimation();
  return shown == n || shown == kTurnToBack || shown == kTurnToFront;
}

void Game6Node::Game6Pilo::SetAnimationKeepingSet(uint32_t n) {
  Qel::Sprite* sprite = GetSprite();
  const uint32_t shown = GetShownAnimation();
  const bool facingBack = IsFacingBack();
  if (sprite && shown != Qel::Sprite::kNoAnimation && n >= kSetB && !facingBack) {
    sprite->SetNextAnimation(kTurnToBack, n);
    SetAnimation(kTurnToBack, 0);
  } else if (sprite && n < kSetB && facingBack) {
    sprite->SetNextAnimation(kTurnToFront, n);
    SetAnimation(kTurnToFront, 0);
  } else {
    SetAnimation(n, 0);
  }
}

uint32_t Game6Node::Game6Pilo::PlainTwinOf(uint32_t animation) {
  switch (animation) {
    case kRecovering:
      return kStraight;
    case kUpRecovering:
      return kUp;
    case kDownRecovering:
      return kDown;
    case kRecovering + kSetB:
      return kSetB;
    case kUpRecovering + kSetB:
      return kUp + kSetB;
    case kDownRecovering + kSetB:
      return kDown + kSetB;
    default:
      return animation;
  }
}

void Game6Node::Game6Pilo::Blink(int32_t milliseconds) {
  m_blinking = true;
  m_blinkEnd = GameTimeNow() + milliseconds;
}

void Game6Node::Game6Pilo::Update() {
  const int32_t now = GameTimeNow();
  if (m_blinking && now > m_blinkEnd) {
    SetZ(2);
    m_blinking = false;
    const uint32_t shown = GetShownAnimation();
    const uint32_t plain = PlainTwinOf(shown);
    if (plain != shown) SetAnimation(plain, 0);
  }
  if (m_horizontalSense != 0) {
    m_turnBackAt = -1;
  } else if (m_previousHorizontalSense == -1 && m_turnBackAt == -1) {
    m_turnBackAt = now + kTurnBackDelay;
  }
  if (m_turnBackAt != -1 && now > m_turnBackAt) {
    SetAnimationKeepingSet(kStraight);
    m_turnBackAt = -1;
  }
  m_previousHorizontalSense = m_horizontalSense;
  Character::Update();
}

int32_t Game6Node::Game6Pilo::SteeringX(int32_t scrollX) const {
  return SteeringPixel(GetX(), -int64_t{scrollX} - 5);
}

int32_t Game6Node::Game6Pilo::SteeringY() const {
  return SteeringPixel(GetY(), 52);
}

int32_t Game6Node::Game6Pilo::SteeringIndex(const Qel::Point2& mouse, int32_t scrollX) {
  constexpr int32_t kNavBarTop = 560;
  if (mouse.Y() >= kNavBarTop) {
    m_horizontalSense = 0;
    m_verticalSense = 0;
    return 8;
  }
  const int32_t pointX = SteeringX(scrollX);
  const int32_t pointY = SteeringY();
  const int32_t mouseX = mouse.X() - 40;
  int32_t vertical = 0;
  if (mouse.Y() > pointY + (m_verticalSense == 1 ? 0 : 10)) {
    vertical = 1;
  } else if (mouse.Y() < pointY - (m_verticalSense == -1 ? 0 : 10)) {
    vertical = -1;
  }
  int32_t horizontal = 0;
  if (mouseX > pointX + (m_horizontalSense == 1 ? 0 : 80)) {
    horizontal = 1;
  } else if (mouseX < pointX - (m_horizontalSense == -1 ? 0 : 100)) {
    horizontal = -1;
  }
  m_verticalSense = vertical;
  m_horizontalSense = horizontal;
  // By [vertical + 1][horizontal + 1].
  static constexpr int32_t kIndex[3][3] = {{1, 0, 7}, {2, 8, 6}, {3, 4, 5}};
  return kIndex[vertical + 1][horizontal + 1];
}

void Game6Node::Game6Pilo::ViaTurn(uint32_t n) {
  if (!IsShowing(n)) SetAnimationKeepingSet(n);
}

void Game6Node::Game6Pilo::Direct(uint32_t n) {
  if (GetShownAnimation() != n) SetAnimation(n, 0);
}

void Game6Node::Game6Pilo::ShowMovement(int32_t mask, bool atTop, bool atBottom, bool leftShown) {
  if (m_blinking) {
    ShowRecoveringMovement(mask, atTop, atBottom, leftShown);
  } else {
    ShowPlainMovement(mask, atTop, atBottom, leftShown);
  }
}

void Game6Node::Game6Pilo::ShowPlainMovement(int32_t mask, bool atTop, bool atBottom, bool leftShown) {
  const uint32_t shown = GetShownAnimation();
  const bool back = IsFacingBack();
  switch (mask) {
    case 0:
      if (shown == kUp + kSetB || shown == kDown + kSetB) {
        ViaTurn(kSetB);
      } else if (shown == kUp || shown == kDown) {
        ViaTurn(kStraight);
      }
      break;
    case 1:
      if (atTop) {
        ViaTurn(back ? kSetB : kStraight);
      } else {
        ViaTurn(back ? kUp + kSetB : kUp);
      }
      break;
    case 2:
      if (leftShown) ViaTurn(kSetB);
      break;
    case 3:
      ViaTurn(atTop ? kSetB : kUp + kSetB);
      break;
    case 4:
      if (atBottom) {
        ViaTurn(back ? kSetB : kStraight);
      } else {
        ViaTurn(back ? kDown + kSetB : kDown);
      }
      break;
    case 6:
      ViaTurn(atBottom ? kSetB : kDown + kSetB);
      break;
    case 8:
      if ((shown >= kUp && shown <= kInKelp) || (shown >= kRecovering && shown <= kDownRecovering) ||
          shown == kSetB || shown == kRecovering + kSetB) {
        ViaTurn(kStraight);
      } else if (shown == kStraight && plat::win::rand() % 10 == 0) {
        // An idle flourish now and then while swimming straight on.
        Direct(1 + static_cast<uint32_t>(plat::win::rand() % 3));
      }
      break;
    case 9:
      ViaTurn(atTop ? kStraight : kUp);
      break;
    case 12:
      ViaTurn(atBottom ? kStraight : kDown);
      break;
    default:
      break;
  }
}

void Game6Node::Game6Pilo::ShowRecoveringMovement(int32_t mask, bool atTop, bool atBottom, bool leftShown) {
  const uint32_t shown = GetShownAnimation();
  const bool back = IsFacingBack();
  switch (mask) {
    case 0:
      if (shown == kUpRecovering + kSetB || shown == kDownRecovering + kSetB) {
        ViaTurn(kRecovering + kSetB);
      } else if (shown == kUpRecovering || shown == kDownRecovering) {
        ViaTurn(kRecovering);
      }
      break;
    case 1:
      if (atTop) {
        ViaTurn(back ? kRecovering + kSetB : kRecovering);
      } else {
        ViaTurn(back ? kUpRecovering + kSetB : kUpRecovering);
      }
      break;
    case 2:
      if (leftShown) Direct(kRecovering + kSetB);
      break;
    case 3:
      Direct(atTop ? kRecovering + kSetB : kUpRecovering + kSetB);
      break;
    case 4:
      Direct(atBottom ? kRecovering : kDownRecovering);
      break;
    case 6:
      Direct(atBottom ? kRecovering + kSetB : kDownRecovering + kSetB);
      break;
    case 8:
      if ((shown >= kUp && shown <= kInKelp) || shown == kStraight || shown == kSetB ||
          shown == kRecovering + kSetB) {
        Direct(kRecovering);
      } else if (shown == kUpRecovering || shown == kDownRecovering) {
        ViaTurn(kRecovering);
      } else if (shown == kBouncedForward) {
        Direct(kRecovering + kSetB);
      }
      break;
    case 9:
      Direct(atTop ? kRecovering : kUpRecovering);
      break;
    case 12:
      Direct(atBottom ? kRecovering : kDownRecovering);
      break;
    default:
      break;
  }
}
