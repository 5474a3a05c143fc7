// The background music queue and its fades.
#include "framework/MusicManager.h"

#include "core/Trace.h"
#include "framework/GameClock.h"
#include "framework/MoviePlayer.h"
#include "framework/WinApp.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

uint32_t Now() {
  return GameClock::Instance().GetLastTime();
}

}  // namespace

MusicManager& MusicManager::Instance() {
  static MusicManager instance;
  return instance;
}

MusicManager::MusicManager() {
  Start();
}

MusicManager::~MusicManager() = default;

void MusicManager::QueueMusic(const std::string& name, bool newSequence) {
  if (newSequence) m_queue.clear();
  m_queue.push_back(name);
}

void MusicManager::PlayNext(bool immediate) {
  if (!m_queue.empty() && m_current && plat::EqualsIgnoringCase(m_queue.front(), m_currentName)) {
    m_queue.pop_front();
    m_fading = false;
    if (Qel::Sound* sound = m_current->GetEngineSound()) sound->SetVolume(1.0f);
    return;
  }
  if (immediate) {
    PlayFront();
  } else {
    StartFade();
  }
}

void MusicManager::StartFade() {
  if (!m_current) {
    PlayFront();
    return;
  }
  m_fadeStart = Now();
  m_fading = true;
}

void MusicManager::PlayFront() {
  StopCurrent();
  // No music during a movie; the queue stays as it is.
  if (MoviePlayer::Instance().IsPlaying()) return;
  const bool streamed = GetApp().GetOptions().StreamMusic();
  while (!m_queue.empty()) {
    const bool last = m_queue.size() == 1;
    std::string name = std::move(m_queue.front());
    m_queue.pop_front();
    auto music = std::make_unique<GameSound>("bgmusic", name.c_str(), false, streamed, kMusicChannel);
    Qel::Sound* sound = music->GetEngineSound();
    // Kept as current, a piece that cannot play would be queued and made again at every frame.
    if (!sound || !sound->IsLoaded()) {
      Qel::Trace("MusicManager - WARN: music \"%s\" did not load and is dropped\n", name.c_str());
      continue;
    }
    sound->SetPriority(kMusicPriority);
    sound->SetVolume(1.0f);
    music->Play(last, true);
    m_current = std::move(music);
    m_currentName = std::move(name);
    return;
  }
}

void MusicManager::StopMusic() {
  StopCurrent();
  m_queue.clear();
}

void MusicManager::StopCurrent() {
  if (m_current) m_current->Stop();
  m_current.reset();
  m_currentName.clear();
  m_fading = false;
}

void MusicManager::Shutdown() {
  Stop();
  StopMusic();
}

void MusicManager::ResetForTesting() {
  StopMusic();
  m_fadeStart = 0;
  Start();
}

int MusicManager::Update() {
  if (!m_current) return 0;
  Qel::Sound* sound = m_current->GetEngineSound();
  if (!m_fading) {
    if (sound->IsPlaying()) return 0;
    if (m_queue.empty()) m_queue.push_back(m_currentName);
    PlayFront();
    return 0;
  }
  // Factors above 1.0 in the held part leave the music at full volume.
  const uint32_t elapsed = Now() - m_fadeStart;
  const double gain = (static_cast<double>(kFadeHoldMs + kFadeFallMs) - elapsed) / kFadeFallMs;
  if (gain > 0.0) {
    sound->SetVolume(static_cast<float>(gain));
    return 0;
  }
  m_fading = false;
  PlayFront();
  return 0;
}
