// One fish of the hub's cast.
#include "frontend/HubActor.h"

#include "framework/Player.h"
#include "graphics/SceneObject.h"
#include "graphics/Sprite.h"
#include "platform/win/kernel/Random.h"

HubActor::HubActor() = default;

HubActor::~HubActor() = default;

void HubActor::SetSprites(Player* rightBody, Player* leftBody, Player* rightMouth, Player* leftMouth) {
  m_bodies = {rightBody, leftBody};
  m_mouths = {rightMouth, leftMouth};
}

void HubActor::MoveTo(float x, float y) {
  for (Player* sprite : {m_bodies[0], m_bodies[1], m_mouths[0], m_mouths[1]}) {
    if (sprite) sprite->SetPosition(x, y);
  }
}

Player* HubActor::GetBody(int32_t index) const {
  return index == 0 || index == 1 ? m_bodies[static_cast<size_t>(index)] : nullptr;
}

Player* HubActor::GetMouth(int32_t index) const {
  return index == 0 || index == 1 ? m_mouths[static_cast<size_t>(index)] : nullptr;
}

uint32_t HubActor::GetVisibleAnimation() const {
  const Player* body = GetVisibleBody();
  return body ? body->GetAnimationId() : Qel::Sprite::kNoAnimation;
}

void HubActor::Show(uint32_t animation, int32_t state, int frame) {
  if (Player* body = GetVisibleBody()) body->SetAnimation(animation, frame);
  m_animState = state;
}

void HubActor::FollowLeft() {
  switch (m_animState) {
    case 0:
    case 9:
      Show(kSwimLeftStart, 7);
      m_request = kSwimLeftRequest;
      break;
    case 2:
    case 5:
      Show(kTurnLeft, 7);
      m_request = kSwimLeftRequest;
      break;
    case 6: {
      // The stop was under way: the turn takes over where it had got to.
      const Player* body = GetVisibleBody();
      Show(kTurnLeft, 7, body ? body->GetCurrentFrame() : 0);
      m_request = kSwimLeftRequest;
      break;
    }
    case 7:
      Show(kSwimLeft, 8);
      m_request = kNoRequest;
      break;
    default:
      break;
  }
}

void HubActor::FollowRight() {
  switch (m_animState) {
    case 0:
    case 6:
      Show(kSwimRightStart, 2);
      m_request = kSwimRightRequest;
      break;
    case 2:
      Show(kSwimRight, 5);
      m_request = kNoRequest;
      break;
    case 7:
    case 8:
      Show(kTurnRight, 2);
      m_request = kSwimRightRequest;
      break;
    case 9: {
      const Player* body = GetVisibleBody();
      Show(kTurnRight, 2, body ? body->GetCurrentFrame() : 0);
      m_request = kSwimRightRequest;
      break;
    }
    default:
      break;
  }
}

void HubActor::OnBodyLooped() {
  if (m_talking) return;
  switch (m_request) {
    case kNoRequest:
      if (m_animState == 0 && static_cast<double>(plat::win::rand()) / 32767.0 < 0.2) {
        const int r = plat::win::rand() % 4;
        if (Player* body = GetVisibleBody())
          body->SetAnimation(r == 0 ? kIdleBlink : r == 1 ? kIdleBored : kIdle, 0);
      }
      break;
    case kStopRequest:
      OnLoopWhileStopping();
      break;
    case kSwimRightRequest:
      OnLoopIntoSwimRight();
      break;
    case kSwimLeftRequest:
      OnLoopIntoSwimLeft();
      break;
    default:
      break;
  }
}

void HubActor::OnLoopWhileStopping() {
  switch (m_animState) {
    case 0:
    case 6:
    case 9:
      Show(kRest, 0);
      m_request = kNoRequest;
      break;
    case 2:
    case 5:
      Show(kStopFromRight, 6);
      break;
    case 7:
    case 8:
      Show(kStopFromLeft, 9);
      break;
    default:
      break;
  }
}

void HubActor::OnLoopIntoSwimRight() {
  switch (m_animState) {
    case 0:
    case 6:
    case 9:
      Show(kSwimRightStart, 2);
      break;
    case 2:
      Show(kSwimRight, 5);
      m_request = kNoRequest;
      break;
    case 7:
    case 8:
      Show(kStopFromLeft, 9);
      break;
    default:
      break;
  }
}

void HubActor::OnLoopIntoSwimLeft() {
  switch (m_animState) {
    case 0:
    case 6:
    case 9:
      Show(kSwimLeftStart, 7);
      break;
    case 2:
    case 5:
      Show(kStopFromRight, 6);
      break;
    case 7:
      Show(kSwimLeft, 8);
      m_request = kNoRequest;
      break;
    default:
      break;
  }
}

void HubActor::SwimAcross() {
  if (Player* body = GetVisibleBody()) body->SetAnimation(kSwimAcross, 0);
  m_side = m_side == kRightSide ? kLeftSide : kRightSide;
}

bool HubActor::FinishSwimAcross(const void* endedBody) {
  for (int32_t index = 0; index < 2; ++index) {
    Player* body = m_bodies[static_cast<size_t>(index)];
    if (!body || body != endedBody) continue;
    if (body->GetSceneObject()) body->GetSceneObject()->Hide();
    const int32_t other = 1 - index;
    if (Player* shown = m_bodies[static_cast<size_t>(other)]) {
      if (shown->GetSceneObject()) shown->GetSceneObject()->Show();
      shown->SetAnimation(kRest, 0);
    }
    m_bodyIndex = other;
    m_side = other;
    return true;
  }
  return false;
}
