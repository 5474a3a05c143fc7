// The swim game's steering, movement, camera and the fish's reactions after a knock, a spout or kelp.
#include <algorithm>
#include <cstdlib>

#include "framework/Background.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/NPC.h"
#include "game6/Game6Items.h"
#include "game6/Game6Node.h"
#include "game6/Game6Pilo.h"
#include "graphics/DisplayDevice.h"
#include "platform/win/kernel/Random.h"

namespace {

using Fish = Game6Node::Game6Pilo;

// Direction masks.
constexpr int32_t kUpBit = 1;
constexpr int32_t kLeftBit = 2;
constexpr int32_t kDownBit = 4;
constexpr int32_t kRightBit = 8;

// The fish's offsets from its anchor point, and the screen heights it is pushed back into.
constexpr int32_t kMinOffsetX = -400;
constexpr int32_t kMaxOffsetX = 250;
constexpr int32_t kMinOffsetY = -272;
constexpr int32_t kMaxOffsetY = 135;
constexpr int32_t kTopLimit = 28;
constexpr int32_t kBottomLimit = 435;
constexpr int32_t kLeftEdge = 50;
// A mouse this far from the fish doubles the step.
constexpr int32_t kFarAway = 100;
// The pointer moved this far since the last step shows the cursor again.
constexpr int32_t kCursorWake = 11;
// The camera stands this far right of the scroll position.
constexpr int32_t kCameraToScroll = 400;
// Depths of the fish: behind the hoops' fronts while swimming, in front of everything after a knock.
constexpr int32_t kSwimDepth = 2;
constexpr int32_t kFrontDepth = 10;
constexpr int32_t kBlinkShort = 1000;
constexpr int32_t kBlinkLong = 2000;
constexpr int32_t kPhaseLength = 1000;
constexpr int32_t kHoldLength = 3000;
constexpr int32_t kSpoutStepEvery = 200;

// The held kelp, back and front, at rest again.
void RestKelp(Game6Node& node) {
  if (node.m_heldKelp < 0 || node.m_heldKelp >= static_cast<int32_t>(node.m_items.size())) return;
  if (auto* kelp = dynamic_cast<Game6Node::Game6Kelp*>(node.m_items[static_cast<size_t>(node.m_heldKelp)]))
    kelp->ShowAnimation(0);
}

}  // namespace

int32_t Game6Node::ScaleBySpeed(int32_t n) const {
  const bool alpha = GetApp().IsAlphaCapable();
  const double first = ScrollSpeedOf(0, alpha);
  return static_cast<int32_t>(static_cast<double>(n) / first * static_cast<double>(ScrollSpeedOf(m_level, alpha)));
}

void Game6Node::UpdateSteering() {
  if (Qel::DisplayDevice* display = GetApp().GetDisplay()) m_mousePos = display->GetMousePosition();
  if (std::abs(m_mousePos.X() - m_previousMousePos.X()) >= kCursorWake ||
      std::abs(m_mousePos.Y() - m_previousMousePos.Y()) >= kCursorWake) {
    MouseCursor::Instance().Show();
  }
  m_previousMousePos = m_mousePos;
  if (!m_fish) return;
  m_steerIndex = m_fish->SteeringIndex(m_mousePos, GetScroll().X());
}

void Game6Node::DirectionToMask() {
  static constexpr int32_t kMasks[8] = {1, 3, 2, 6, 4, 12, 8, 9};
  m_steerMask = m_steerIndex >= 0 && m_steerIndex < 8 ? kMasks[m_steerIndex] : 0;
}

void Game6Node::ClearMoveInput() {
  m_steerMask = 0;
  m_moveMask = 0;
}

int32_t Game6Node::DirectionToAnimation(int32_t index) {
  static constexpr int32_t kAnimations[9] = {2, 3, 1, 9, 8, 12, 4, 6, 2};
  return index >= 0 && index < 9 ? kAnimations[index] : 0;
}

void Game6Node::SteerFish() {
  if (!m_fish) return;
  const int32_t y = m_fish->GetWorldPosition().Y();
  if (y < kTopLimit) {
    m_moveMask = kDownBit;
  } else if (y > kBottomLimit) {
    m_moveMask = kUpBit;
  } else {
    DirectionToMask();
    m_moveMask = m_steerMask;
  }
  MoveFish(m_moveMask);
  m_lastMoveMask = m_moveMask;
}

void Game6Node::MoveFish(int32_t mask) {
  if (!m_fish) return;
  if (m_currentBubbleWall != -1) {
    // Inside a bubble wall the fish only drifts.
    if (m_fish->IsFacingBack()) {
      m_fishOffsetX -= m_wallDriftBack;
    } else {
      m_fishOffsetX += m_wallDriftForward;
    }
    if (CheckLeftEdge()) {
      StopIfPlaying(m_bubbleWallSound);
      m_currentBubbleWall = -1;
    }
    return;
  }
  const bool spout = m_state == GROUND_SPOUT_PUSH || m_state == CEILING_SPOUT_PUSH;
  const int32_t pointX = m_fish->SteeringX(GetScroll().X());
  const int32_t pointY = m_fish->SteeringY();
  const int32_t mouseX = m_mousePos.X() - 40;
  const int32_t mouseY = m_mousePos.Y();
  if ((mask & kUpBit) && m_fishOffsetY > kMinOffsetY) {
    if (spout) {
      m_fishOffsetY -= 3 * m_stepVertical;
    } else {
      m_fishOffsetY -= m_dashFactor * m_stepVertical * (pointY - mouseY >= kFarAway ? 2 : 1);
    }
  } else if ((mask & kDownBit) && m_fishOffsetY < kMaxOffsetY) {
    if (spout) {
      m_fishOffsetY += 3 * m_stepVertical;
    } else {
      m_fishOffsetY += m_dashFactor * m_stepVertical * (mouseY - pointY >= kFarAway ? 2 : 1);
    }
  }
  const int32_t horizontal = m_speedFactor * m_dashFactor * m_stepHorizontal;
  if (mask & kRightBit) {
    if (spout) {
      if (m_fishOffsetX < kMaxOffsetX) m_fishOffsetX += 2 * m_stepHorizontal;
    } else if ((m_state == PLAYING || m_state == BOUNCED_FORWARD_RETURN) && m_fishOffsetX < kMaxOffsetX) {
      m_fishOffsetX += horizontal * (mouseX - pointX >= kFarAway ? 2 : 1);
    }
  } else if (mask & kLeftBit) {
    if (spout) {
      if (m_fishOffsetX > kMinOffsetX) m_fishOffsetX -= m_stepBackInSpout;
    } else if ((m_state == PLAYING || m_state == BOUNCED_BACK_RETURN) && m_fishOffsetX > kMinOffsetX) {
      m_fishOffsetX -= horizontal * (pointX - mouseX >= kFarAway ? 2 : 1);
    }
  }
  ClampFishOffsets();
  m_fish->ShowMovement(mask, m_fishOffsetY <= kMinOffsetY, m_fishOffsetY >= kMaxOffsetY,
                       m_state == PLAYING || m_state == BOUNCED_BACK_RETURN);
}

void Game6Node::ClampFishOffsets() {
  m_fishOffsetX = std::clamp(m_fishOffsetX, kMinOffsetX, kMaxOffsetX);
  m_fishOffsetY = std::clamp(m_fishOffsetY, kMinOffsetY, kMaxOffsetY);
}

void Game6Node::AnchorFishTo(GenericObject* object) {
  if (!m_fish || !object) return;
  m_fish->m_anchor = object;
  m_fish->m_anchorOffset = m_camera ? static_cast<int32_t>(m_camera->GetX() - object->GetX()) : 0;
}

void Game6Node::AnchorFishToCamera() {
  if (!m_fish || !m_camera) return;
  m_fish->m_anchor = m_camera.get();
  m_fishOffsetX = static_cast<int32_t>(m_fish->GetX() - m_camera->GetX());
  m_fish->m_anchorOffset = 0;
}

void Game6Node::PlaceFish() {
  if (!m_fish || !m_camera) return;
  const GenericObject* anchor = m_fish->m_anchor ? m_fish->m_anchor : m_camera.get();
  float x = anchor->GetX() + static_cast<float>(m_fish->m_anchorOffset + m_fishOffsetX) + m_reboundOffset;
  // An object the fish holds on to beyond the last panel is shown where the loop put the camera.
  if (anchor->GetX() - kCameraToScroll > static_cast<float>(kPanelWidth * (m_panelCount - 1))) {
    x -= static_cast<float>((5 * m_panelCount - 10) * 160);
  }
  const float y = m_camera->GetY() + static_cast<float>(m_fishOffsetY);
  m_fish->SetPosition(x, y);
  if (m_shieldBubble) m_shieldBubble->SetPosition(x + 10, y + 10);
}

void Game6Node::PlaceCompanion() {
  if (!m_camera) return;
  const float x = m_camera->GetX() - 425;
  const float y = m_camera->GetY() - 200;
  if (m_tovin) m_tovin->SetPosition(x, y);
  if (m_tovinMouth) m_tovinMouth->SetPosition(x, y);
  if (m_tovin && m_tovin->GetAnimationId() == 0 && plat::win::rand() % 200 == 0) {
    StopSpeech();
    m_tovin->SetAnimation(2, 0);
  }
}

void Game6Node::SyncFishAndCompanion() {
  PlaceFish();
  PlaceCompanion();
}

bool Game6Node::CheckLeftEdge() {
  if (!m_fish || m_fish->GetWorldPosition().X() >= kLeftEdge) return false;
  m_reboundOffset = 0.0f;
  m_reboundVelocity = 0.0f;
  AnchorFishToCamera();
  if (m_fish->IsFacingBack()) m_fish->SetAnimationKeepingSet(Fish::kStraight);
  m_fish->SetZ(kFrontDepth);
  m_fish->Blink(kBlinkShort);
  m_state = PLAYING;
  return true;
}

void Game6Node::UpdateCamera() {
  if (!m_camera) return;
  const int32_t loopLength = (5 * m_panelCount - 10) * 160;
  if (m_camera->GetX() - kCameraToScroll >= static_cast<float>(kPanelWidth * (m_panelCount - 1))) {
    m_camera->SetPosition(m_camera->GetX() - static_cast<float>(loopLength), m_camera->GetY());
    if (m_fish && m_fish->m_anchor && m_fish->m_anchor != m_camera.get()) {
      // The same stretch of seabed lies a loop back; an item the fish holds on to has its twin there.
      GenericObject* twin = nullptr;
      const auto* held = dynamic_cast<const Game6Item*>(m_fish->m_anchor);
      for (Game6Item* item : m_items) {
        if (held && item && item != held && item->GetKind() == held->GetKind() &&
            item->GetX() == held->GetX() - static_cast<float>(loopLength) && item->GetY() == held->GetY()) {
          twin = item;
          break;
        }
      }
      if (twin) {
        AnchorFishTo(twin);
      } else {
        AnchorFishToCamera();
      }
    }
    SyncFishAndCompanion();
  }
  const Qel::Point2 scroll = GetScroll();
  SetScroll(static_cast<int32_t>(m_camera->GetX()) - kCameraToScroll, scroll.Y());
  const int32_t panel = GetScroll().X() / kPanelWidth;
  if (panel != m_cameraPanel) {
    m_cameraPanel = panel;
    ShowBackgroundPanels(panel);
  }
  const Qel::Point2 now = GetScroll();
  if (m_backButton) m_backButton->SetPosition(static_cast<float>(now.X() + 5), static_cast<float>(now.Y() + 531));
  if (m_helpButton) m_helpButton->SetPosition(static_cast<float>(now.X() + 733), static_cast<float>(now.Y() + 541));
}

void Game6Node::ShowBackgroundPanels(int32_t panel) {
  for (int32_t i = 0; i < kPanelCount; ++i) {
    Background* background = m_backgrounds[static_cast<size_t>(i)].get();
    const bool wanted = i == panel || i == panel + 1;
    if (!background || wanted == m_panelAttached[static_cast<size_t>(i)]) continue;
    if (wanted) {
      AddObject(background);
    } else {
      RemoveObject(background);
    }
    m_panelAttached[static_cast<size_t>(i)] = wanted;
  }
}

void Game6Node::ReactionStep() {
  if (!m_fish) return;
  const int32_t now = GameTimeNow();
  switch (m_state) {
    case BOUNCED_BACK:
    case BOUNCED_FORWARD: {
      const bool back = m_state == BOUNCED_BACK;
      UpdateSteering();
      m_fish->SetAnimation(back ? Fish::kBouncedBack : Fish::kBouncedForward, 0);
      m_reboundVelocity = static_cast<float>(back ? m_bounceBackSpeed : m_bounceForwardSpeed);
      m_reboundUntil = now + kPhaseLength;
      m_state = back ? BOUNCED_BACK_AWAY : BOUNCED_FORWARD_AWAY;
      break;
    }
    case BOUNCED_BACK_AWAY:
    case BOUNCED_FORWARD_AWAY: {
      const int32_t next = m_state == BOUNCED_BACK_AWAY ? BOUNCED_BACK_TURN : BOUNCED_FORWARD_TURN;
      UpdateSteering();
      SteerFish();
      UpdateCamera();
      m_reboundOffset += m_reboundVelocity;
      m_reboundVelocity *= 15.0f * 0.0625f;
      if (!CheckLeftEdge() && now > m_reboundUntil) m_state = next;
      break;
    }
    case BOUNCED_BACK_TURN:
    case BOUNCED_FORWARD_TURN:
      UpdateSteering();
      m_fish->SetZ(kSwimDepth);
      m_reboundVelocity = -m_reboundVelocity;
      m_reboundUntil = now + kPhaseLength;
      m_fish->SetZ(kFrontDepth);
      m_fish->Blink(kBlinkLong);
      m_state = m_state == BOUNCED_BACK_TURN ? BOUNCED_BACK_RETURN : BOUNCED_FORWARD_RETURN;
      break;
    case BOUNCED_BACK_RETURN:
    case BOUNCED_FORWARD_RETURN: {
      const bool back = m_state == BOUNCED_BACK_RETURN;
      UpdateSteering();
      SteerFish();
      m_reboundOffset += m_reboundVelocity;
      m_reboundVelocity *= 16.0f / 15.0f;
      UpdateCamera();
      if (CheckLeftEdge()) {
        SyncFishAndCompanion();
        break;
      }
      const bool crossed = back ? m_reboundOffset > 0.0f : m_reboundOffset < 0.0f;
      if (crossed || now > m_reboundUntil) {
        m_reboundOffset = 0.0f;
        m_reboundVelocity = 0.0f;
        AnchorFishToCamera();
        SyncFishAndCompanion();
        m_state = PLAYING;
      } else {
        // The node's step places the fish after the away phases only; here it swims back.
        SyncFishAndCompanion();
      }
      break;
    }
    case GROUND_SPOUT:
    case CEILING_SPOUT: {
      const bool ground = m_state == GROUND_SPOUT;
      m_spoutMask = ground ? kUpBit : kDownBit;
      m_spoutUntil = now + kHoldLength;
      m_spoutStepAt = now + kSpoutStepEvery;
      MoveFish(m_spoutMask);
      m_fish->SetZ(kFrontDepth);
      m_state = ground ? GROUND_SPOUT_PUSH : CEILING_SPOUT_PUSH;
      break;
    }
    case GROUND_SPOUT_PUSH:
    case CEILING_SPOUT_PUSH:
      UpdateCamera();
      if (now > m_spoutUntil) {
        AnchorFishToCamera();
        m_fish->SetZ(kSwimDepth);
        m_state = PLAYING;
        m_fish->SetZ(kFrontDepth);
        m_fish->Blink(kBlinkLong);
      } else if (now >= m_spoutStepAt) {
        m_spoutStepAt = now + kSpoutStepEvery;
        if (!CheckLeftEdge()) MoveFish(m_spoutMask);
      }
      break;
    case KELP:
      m_kelpUntil = now + kHoldLength;
      m_state = KELP_HOLD;
      break;
    case KELP_HOLD:
      UpdateCamera();
      if (now < m_kelpUntil) {
        if (CheckLeftEdge()) RestKelp(*this);
      } else {
        m_fish->SetAnimation(m_fish->IsFacingBack() ? Fish::kSetB : Fish::kStraight, 0);
        RestKelp(*this);
        m_fish->SetZ(kFrontDepth);
        m_fish->Blink(kBlinkLong);
        m_state = PLAYING;
        AnchorFishToCamera();
      }
      break;
    default:
      break;
  }
}
