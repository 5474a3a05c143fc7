// The character animator: poses of a speaking character's body, its talking head's mouth and a
// gentle bob up and down.
#include "framework/CharacterAnimator.h"

#include <iterator>

#include "core/EventManager.h"
#include "core/Trace.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/LipSyncSound.h"
#include "framework/SpriteObject.h"
#include "framework/TxtDataManager.h"
#include "framework/ValueTokenizer.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"

namespace {

// The text-data key of each body animation the data places.
constexpr const char* kPoseKeys[] = {
    "idleDefault", "idleBlink", "idleBored", "idleListening", "idleTalking", "swimOutN",  "swimOutNE",
    "swimOutE",    "swimOutSE", "swimOutS",  "swimOutSW",     "swimOutW",    "swimOutNW", "swimInN",
    "swimInNE",    "swimInE",   "swimInSE",  "swimInS",       "swimInSW",    "swimInW",   "swimInNW",
};

constexpr float kBobStartStep = 0.225f;
constexpr float kBobTurn = 2.25f;
constexpr float kBobTurnStep = 0.5f;

}  // namespace

CharacterAnimator::CharacterAnimator(SpriteObject* body, SpriteObject* head, const char* txtDataName, uint8_t,
                                     uint8_t bobbing)
    : m_body(body), m_head(head), m_bobbing(bobbing != 0) {
  if (!m_body) {
    Qel::Trace("WARN: CharacterAnimator: no body for '%s'; the character stays as it is\n",
               txtDataName ? txtDataName : "");
    return;
  }
  m_baseX = m_body->GetX();
  m_baseY = m_body->GetY();
  if (m_bobbing) m_bobOffset = static_cast<float>(plat::win::rand() % 10) * kBobStartStep;
  if (txtDataName && !TxtDataManager::Instance().LoadTxtData(txtDataName, *this)) {
    Qel::Trace("WARN: CharacterAnimator: no poses '%s'; every pose stands at the base position\n",
               txtDataName);
  }
  Idle();
}

void CharacterAnimator::SetTxtValue(const char* key, const char* value) {
  for (int i = 0; i < static_cast<int>(std::size(kPoseKeys)); ++i) {
    if (plat::EqualsIgnoringCase(key, kPoseKeys[i])) {
      ValueTokenizer tokens(value);
      m_poses[i] = tokens.NextPoint();
      return;
    }
  }
}

Qel::Point2 CharacterAnimator::GetPose(int index) const {
  return index >= 0 && index < kPoseCount ? m_poses[index] : Qel::Point2();
}

void CharacterAnimator::Update() {
  if (!m_body) return;
  if (m_state == kTalking && m_head && m_sound) m_head->SetAnimation(MouthSequence(), 0);

  if (!m_bobbing) return;
  const int32_t now = static_cast<int32_t>(GameClock::Instance().GetLastTime());
  if (now <= m_nextBobTime) return;
  m_nextBobTime = now + kBobIntervalMs;
  // A move leaves its own place alone once the bob has come back near the middle.
  const bool inPose = m_state == kIdle || m_state == kTalking || m_state == kListening;
  if (static_cast<int32_t>(m_bobOffset) == 0 && !inPose) return;
  const float old = m_bobOffset;
  m_bobOffset += m_bobStep;
  if (m_bobOffset <= -kBobTurn) {
    m_bobStep = kBobTurnStep;
  } else if (m_bobOffset >= kBobTurn) {
    m_bobStep = -kBobTurnStep;
  }
  m_body->SetPosition(m_body->GetX(), m_body->GetY() - old + m_bobOffset);
  if (m_head) m_head->SetPosition(m_head->GetX(), m_head->GetY() - old + m_bobOffset);
}

void CharacterAnimator::Talk(LipSyncSound* sound, uint8_t headVariant) {
  if (!m_body || !m_head || !sound) return;
  m_headVariant = headVariant;
  m_sound = sound;
  EnterPose(kTalking);
}

void CharacterAnimator::StopTalking(uint8_t toListening) {
  if (!m_body || m_state != kTalking) return;
  if (m_sound) {
    const Qel::Sound* engine = m_sound->GetEngineSound();
    if (engine && engine->IsPlaying()) m_sound->Stop();
  }
  m_sound = nullptr;
  if (toListening) {
    Listen();
  } else {
    Idle();
  }
}

void CharacterAnimator::Listen() {
  if (!m_body) return;
  EnterPose(kListening);
}

void CharacterAnimator::Idle() {
  if (!m_body || m_state == kIdle) return;
  EnterPose(kIdle);
}

void CharacterAnimator::PlayMove(uint32_t sequence, int32_t x, int32_t y) {
  if (!m_body) return;
  m_body->SetAnimation(sequence, 0);
  ShowHead(false);
  m_body->SetPosition(static_cast<float>(x) + m_baseX, m_bobOffset + m_baseY + static_cast<float>(y));
  m_state = kMoving;
  m_sound = nullptr;
}

void CharacterAnimator::SetOffset(float x, float y) {
  m_baseX = x;
  m_baseY = y;
}

void CharacterAnimator::SetBobbing(uint8_t on) {
  const bool wasOn = m_bobbing;
  m_bobbing = on != 0;
  // Only the change lifts the character: a second call must not carry it away.
  if (!m_body || !m_bobbing || wasOn || m_bobOffset == 0.0f) return;
  m_body->SetPosition(m_body->GetX(), m_body->GetY() - m_bobOffset);
  if (m_head) m_head->SetPosition(m_head->GetX(), m_head->GetY() - m_bobOffset);
}

void CharacterAnimator::OnAnimationEnded(GenericObject* object) {
  PostMoveEvent(object, EventId::CharacterMoveEnded);
}

void CharacterAnimator::OnAnimationLooped(GenericObject* object) {
  PostMoveEvent(object, EventId::CharacterMoveLooped);
}

void CharacterAnimator::OnSoundFinished(const GameSound* sound) {
  if (m_state == kTalking && sound && sound == m_sound) StopTalking(0);
}

void CharacterAnimator::PostMoveEvent(GenericObject* object, int id) {
  if (!m_body || object != m_body || m_state != kMoving) return;
  Qel::EventManager::GetInstance()->PostEvent(kEventCharacter, id, m_body);
}

bool CharacterAnimator::CarriesFrameInto(State state) const {
  switch (state) {
    case kTalking:
      return m_state == kIdle || m_state == kListening;
    case kListening:
      return m_state == kIdle || m_state == kListening || m_state == kTalking;
    case kIdle:
      return m_state == kTalking || m_state == kListening;
    default:
      return false;
  }
}

void CharacterAnimator::EnterPose(State state) {
  const int frame = CarriesFrameInto(state) ? m_body->GetCurrentFrame() : 0;
  const uint32_t sequence = state == kTalking     ? kTalkingSequence
                            : state == kListening ? kListeningSequence
                                                  : kIdleSequence;
  if (state != kTalking) m_sound = nullptr;
  m_state = state;
  m_body->SetAnimation(sequence, frame);
  if (state != kTalking) ShowHead(false);
  const Qel::Point2& pose = m_poses[sequence];
  const float x = static_cast<float>(pose.X()) + m_baseX;
  const float y = static_cast<float>(pose.Y()) + m_bobOffset + m_baseY;
  m_body->SetPosition(x, y);
  if (state != kTalking) return;
  m_head->SetPosition(x, y);
  ShowHead(true);
  m_sound->Play(false, true);
  m_head->SetAnimation(MouthSequence(), 0);
}

int CharacterAnimator::MouthSequence() const {
  return m_sound->GetMouthShape() + (m_headVariant ? kSecondHeadOffset : 0);
}

void CharacterAnimator::ShowHead(bool shown) {
  if (!m_head || !m_head->GetSceneObject()) return;
  if (shown) {
    m_head->GetSceneObject()->Show();
  } else {
    m_head->GetSceneObject()->Hide();
  }
}
