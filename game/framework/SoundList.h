// The sound list: the named game sounds a node owns, found by name and paused and resumed together.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "framework/GameSound.h"

// Names are the engine sounds' identities, which the sound events carry, compared without regard to
// case.
class SoundList {
public:
  SoundList();
  // Deletes every sound, which stops it.
  ~SoundList();
  SoundList(const SoundList&) = delete;
  SoundList& operator=(const SoundList&) = delete;

  // Takes ownership; null is ignored and answers null.
  GameSound* Add(std::unique_ptr<GameSound> sound);
  // The first sound of that name; null for none or for a null name. A sound without an engine
  // sound has no name and is never found.
  GameSound* Find(const char* name) const;
  // Hands the sound back to the caller; null when it is not listed.
  std::unique_ptr<GameSound> Take(GameSound* sound);
  // Deletes a listed sound; false when it is not listed.
  bool Delete(GameSound* sound);
  // Deletes every sound.
  void Clear();

  // Pause and resume every sound (each sound decides whether it can).
  void PauseAll();
  void ResumeAll();

  size_t GetCount() const { return m_sounds.size(); }
  GameSound* At(size_t index) const { return index < m_sounds.size() ? m_sounds[index].get() : nullptr; }

private:
  std::vector<std::unique_ptr<GameSound>> m_sounds;
};
