// The sound list: the named game sounds a node owns, found by name and paused and resumed together.
#include "framework/SoundList.h"

#include <algorithm>
#include <utility>

#include "platform/win/kernel/AsciiCase.h"

SoundList::SoundList() = default;

SoundList::~SoundList() = default;

GameSound* SoundList::Add(std::unique_ptr<GameSound> sound) {
  if (!sound) return nullptr;
  m_sounds.push_back(std::move(sound));
  return m_sounds.back().get();
}

GameSound* SoundList::Find(const char* name) const {
  if (!name) return nullptr;
  for (const std::unique_ptr<GameSound>& sound : m_sounds) {
    const Qel::Sound* engine = sound->GetEngineSound();
    if (engine && plat::EqualsIgnoringCase(engine->GetId(), name)) return sound.get();
  }
  return nullptr;
}

std::unique_ptr<GameSound> SoundList::Take(GameSound* sound) {
  const auto found =
      std::find_if(m_sounds.begin(), m_sounds.end(),
                   [sound](const std::unique_ptr<GameSound>& held) { return held.get() == sound; });
  if (!sound || found == m_sounds.end()) return nullptr;
  std::unique_ptr<GameSound> taken = std::move(*found);
  m_sounds.erase(found);
  return taken;
}

bool SoundList::Delete(GameSound* sound) {
  // Taken out of the list first, so that nothing finds it while it stops.
  return Take(sound) != nullptr;
}

void SoundList::Clear() {
  std::vector<std::unique_ptr<GameSound>> sounds = std::move(m_sounds);
  m_sounds.clear();
}

void SoundList::PauseAll() {
  for (const std::unique_ptr<GameSound>& sound : m_sounds) sound->Pause();
}

void SoundList::ResumeAll() {
  for (const std::unique_ptr<GameSound>& sound : m_sounds) sound->Resume();
}
