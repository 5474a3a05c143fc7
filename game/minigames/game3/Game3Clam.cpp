// A clam of the music game: attack, sustain while held, decay on release.
#include "game3/Game3Clam.h"

#include <algorithm>
#include <cstdio>

#include "core/EventManager.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/SpriteObject.h"
#include "sound/Sound.h"

Game3Node::Clam::Clam(int32_t number, SpriteObject* object) : m_object(object) {
  char name[32];
  std::snprintf(name, sizeof name, "clam%d", static_cast<int>(number));
  m_soundPrefix = object ? object->GetName() : name;
  std::snprintf(name, sizeof name, "clam_sound_%u", static_cast<unsigned>(GameClock::Instance().GetTime()));
  m_timer = std::make_unique<GameTimer>(name, 500);
}

Game3Node::Clam::~Clam() {
  if (m_pressCount != 0) Release();
  SetSounds(nullptr, nullptr, nullptr);
  m_timer.reset();
  if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
}

void Game3Node::Clam::HandleEvent(int kind, int id, void* data) {
  if (kind != kEventGameObject || id != kEventTimerExpired || data != m_timer.get()) return;
  if (!m_attack || m_state != kHeld) return;
  m_timer->Stop(false);
  if (m_sustain) m_sustain->Play(true, true);
}

bool Game3Node::Clam::HitTest(int32_t x, int32_t y) {
  return m_object && m_object->HitTest(x, y);
}

void Game3Node::Clam::Press() {
  if (m_pressCount >= 1) return;
  m_pressCount = 1;
  if (m_attack) {
    Qel::Sound* engine = m_attack->GetEngineSound();
    const uint32_t length = engine ? engine->GetLengthMs() : 0;
    // A timer of 0 would keep its previous duration; an attack shorter than the overlap starts the
    // sustain on the next poll instead.
    m_timer->Start(std::max<uint32_t>(1, length > kOverlapMs ? length - kOverlapMs : 1));
    m_attack->Play(false, true);
  }
  SetAnimation(1);
  m_state = kHeld;
}

void Game3Node::Clam::Release() {
  if (m_pressCount == 0) return;
  m_pressCount = 0;
  m_state = kReleased;
  if (m_decay) m_decay->Play(false, true);
  if (m_sustain) m_sustain->Stop();
  m_timer->Stop(false);
  SetAnimation(3);
}

void Game3Node::Clam::Update() {
  m_timer->Poll();
}

void Game3Node::Clam::SetSounds(const char* attackFile, const char* sustainFile, const char* decayFile) {
  m_attack.reset();
  m_sustain.reset();
  m_decay.reset();
  if (!attackFile || !sustainFile || !decayFile) return;
  const auto make = [this](const char* part, const char* file) {
    const std::string name = m_soundPrefix + "_sound_" + part;
    return std::make_unique<GameSound>(name.c_str(), file, true, false);
  };
  m_attack = make("attack", attackFile);
  m_sustain = make("sustain", sustainFile);
  m_decay = make("decay", decayFile);
}

void Game3Node::Clam::SetAnimation(uint32_t animation) {
  if (m_object) m_object->SetAnimation(animation, 0);
}
