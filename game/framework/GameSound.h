// A named sound of the game: it holds its engine sound and gives it the game's name as its identity.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/Sound.h"

// Owned by a node, an overlay or the speech queue; deleting it stops the sound.
class GameSound {
public:
  // Made on any free channel (channel -1) unless a fixed one is given. The engine sound's events
  // carry name. A sound that cannot be made leaves no engine sound, and every call does nothing.
  GameSound(const char* name, const char* file, bool pausable, bool streamed, int32_t channel = -1);
  virtual ~GameSound();
  GameSound(const GameSound&) = delete;
  GameSound& operator=(const GameSound&) = delete;

  // Sets the loop flag and starts the sound through the sound manager.
  virtual void Play(bool loop, bool restart);
  virtual void Stop();
  // True for a sound already paused; false for one that does not play or may not be paused.
  virtual bool Pause();
  // False unless the sound was paused.
  virtual bool Resume();

  // Null when the sound could not be made.
  Qel::Sound* GetEngineSound() const { return m_sound.get(); }
  bool IsPausable() const { return m_pausable; }

private:
  bool m_pausable;
  std::shared_ptr<Qel::Sound> m_sound;
};

// For callers that keep pointers to sounds that may be null or may not have loaded.
bool IsSoundPlaying(const GameSound* sound);
// The engine sound's name, compared exactly.
bool IsSoundNamed(const GameSound* sound, const char* name);
