// The level banner: a banner that flies in, shows a one- or two-digit level number for a second, flies
// out and tells the node that it is done.
#include "framework/LevelBanner.h"

#include <cstdio>

#include "core/EventManager.h"
#include "core/Trace.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/GameSound.h"
#include "framework/NodeManager.h"
#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {
constexpr int32_t kHoldMs = 1000;
}  // namespace

LevelBanner::LevelBanner(const char* objectName, const char* spriteName, int clockKind)
    : Ambient(objectName, spriteName, clockKind) {}

LevelBanner::~LevelBanner() {
  // The node lists the digits but does not own them: it must not keep them once they are gone.
  if (m_digitNode) {
    m_digitNode->RemoveObject(m_onesDigit.get());
    m_digitNode->RemoveObject(m_tensDigit.get());
  }
  m_onesDigit.reset();
  m_tensDigit.reset();
  if (m_sound) m_sound->Stop();
}

void LevelBanner::SetProperty(const char* key, const char* value) {
  SpriteObject::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "sfx")) {
    if (m_sound) m_sound->Stop();
    m_sound.reset();
    char name[32];
    std::snprintf(name, sizeof(name), "bannerSound%d", 1);
    m_sound = std::make_unique<GameSound>(name, value, true, false);
  } else if (plat::EqualsIgnoringCase(key, "numberAnim")) {
    std::snprintf(m_numberAnim, sizeof(m_numberAnim), "%s", value);
  } else if (plat::EqualsIgnoringCase(key, "numberDistance")) {
    ValueTokenizer tokens(value);
    m_numberDistance = tokens.NextInt();
  } else if (plat::EqualsIgnoringCase(key, "numberCenterX")) {
    ValueTokenizer tokens(value);
    m_numberCenterX = static_cast<float>(tokens.NextFloat());
  } else if (plat::EqualsIgnoringCase(key, "numberCenterY")) {
    ValueTokenizer tokens(value);
    m_numberCenterY = static_cast<float>(tokens.NextFloat());
  }
}

void LevelBanner::Show(int32_t level) {
  // The banner stands a second: a run watched from outside learns of it from the trace.
  Qel::Trace("INFO: Level banner %d shows.\n", static_cast<int>(level));
  ParkDigits();
  m_level = level;
  SetAnimation(kAnimationFlyIn, 0);
  if (m_sound) m_sound->Play(false, true);
}

void LevelBanner::Update() {
  const uint32_t now = GameClock::Instance().GetTime();
  if (static_cast<int32_t>(now - m_startTime) > kHoldMs && GetAnimationId() == kAnimationHold) {
    SetAnimation(kAnimationFlyOut, 0);
    ParkDigits();
  }
  Ambient::Update();
}

bool LevelBanner::OnAnimationEnded() {
  const uint32_t id = GetAnimationId();
  if (id == kAnimationFlyIn) {
    SetAnimation(kAnimationHold, 0);
    ShowNumber();
    m_startTime = GameClock::Instance().GetTime();
  } else if (id == kAnimationFlyOut) {
    SetAnimation(kAnimationIdle, 0);
    Qel::EventManager::GetInstance()->PostEvent(kEventCharacter, EventId::BannerDone, this);
  }
  return true;
}

void LevelBanner::ShowNumber() {
  if (!m_onesDigit) {
    // Both are made before either is kept: should a sprite fail, nothing half made is left behind.
    auto ones = std::make_unique<Ambient>("BannerOnesnumbers", m_numberAnim, 0);
    auto tens = std::make_unique<Ambient>("BannerTensnumbers", m_numberAnim, 0);
    for (Ambient* digit : {ones.get(), tens.get()}) digit->SetPositionAndZ(kParkedAt, kParkedAt, GetZ() + 1);
    m_onesDigit = std::move(ones);
    m_tensDigit = std::move(tens);
    if (GameNode* node = NodeManager::Instance().GetCurrentNode()) {
      // Noted first: a digit the node refuses (a name it lists already) must not leave the other one
      // listed there after the banner is gone.
      m_digitNode = node;
      node->AddObject(m_onesDigit.get());
      node->AddObject(m_tensDigit.get());
    }
  }
  if (m_level < 10) {
    m_onesDigit->SetAnimation(static_cast<uint32_t>(m_level), 0);
    m_onesDigit->SetPosition(m_numberCenterX, m_numberCenterY);
    return;
  }
  m_onesDigit->SetAnimation(static_cast<uint32_t>(m_level % 10), 0);
  m_tensDigit->SetAnimation(static_cast<uint32_t>(m_level / 10), 0);
  const float d = static_cast<float>(m_numberDistance / 2);
  m_onesDigit->SetPosition(m_numberCenterX + d, m_numberCenterY);
  m_tensDigit->SetPosition(m_numberCenterX - d, m_numberCenterY);
}

void LevelBanner::ParkDigits() {
  if (m_onesDigit) m_onesDigit->SetPosition(kParkedAt, kParkedAt);
  if (m_tensDigit) m_tensDigit->SetPosition(kParkedAt, kParkedAt);
}
