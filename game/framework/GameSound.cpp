// A named sound of the game.
#include "framework/GameSound.h"

#include <new>

#include "core/Trace.h"
#include "sound/WinSoundManager.h"

GameSound::GameSound(const char* name, const char* file, bool pausable, bool streamed, int32_t channel)
    : m_pausable(pausable) {
  try {
    m_sound = std::make_shared<Qel::Sound>(file ? file : "", streamed, channel);
  } catch (const std::bad_alloc&) {
    return;
  }
  if (name) m_sound->SetId(name);
}

GameSound::~GameSound() {
  if (m_sound) m_sound->Stop();
}

void GameSound::Play(bool loop, bool restart) {
  if (!m_sound) return;
  m_sound->SetLooping(loop);
  if (!Qel::WinSoundManager::Instance()->PlaySound(m_sound, restart)) return;
  // Sounds that share one name (a game's effects) are told apart by their file.
  if (m_sound->GetId() == m_sound->GetName()) {
    Qel::Trace("INFO: Sound '%s' starts.\n", m_sound->GetId().c_str());
  } else {
    Qel::Trace("INFO: Sound '%s' starts (file '%s').\n", m_sound->GetId().c_str(), m_sound->GetName().c_str());
  }
}

void GameSound::Stop() {
  if (m_sound) m_sound->Stop();
}

bool GameSound::Pause() {
  if (!m_sound) return false;
  // Asked first: a paused sound's buffer no longer plays.
  if (m_sound->IsPaused()) return true;
  if (!m_sound->IsPlaying() || !m_pausable) return false;
  return m_sound->Pause();
}

bool GameSound::Resume() {
  if (!m_sound || !m_sound->IsPaused()) return false;
  return m_sound->Resume();
}

bool IsSoundPlaying(const GameSound* sound) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && engine->IsPlaying();
}

bool IsSoundNamed(const GameSound* sound, const char* name) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && name && engine->GetId() == name;
}
