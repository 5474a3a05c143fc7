// The background music: a queue of music names, played in turn with a fade between pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "core/Periodical.h"
#include "framework/GameSound.h"

// The last piece of the queue loops; the others play once and are followed by the next. A node
// only has to queue names.
class MusicManager : public Qel::Periodical {
public:
  // The music keeps a channel of its own, which StopAllSounds spares, and gives way to every other
  // sound.
  static constexpr int32_t kMusicChannel = 63;
  static constexpr uint16_t kMusicPriority = 100;
  // A fade holds the music for kFadeHoldMs, then lowers it linearly to silence over kFadeFallMs.
  static constexpr uint32_t kFadeHoldMs = 500;
  static constexpr uint32_t kFadeFallMs = 1000;

  // Made on first use, ticking from then on; destroyed at exit.
  static MusicManager& Instance();

  ~MusicManager() override;

  // With newSequence the queue is emptied first. The name is copied.
  void QueueMusic(const std::string& name, bool newSequence);
  // Moves on to the front of the queue: music that already plays there simply goes on at full
  // volume; otherwise the front plays at once (immediate) or once the current music has faded out.
  void PlayNext(bool immediate);
  // Stops the current music and empties the queue.
  void StopMusic();
  void StopCurrent();
  // Stops ticking, then StopMusic.
  void Shutdown();
  // Test seam: no music, nothing queued and running again, as first built.
  void ResetForTesting();

  // Per frame: a piece that ended is followed by the next one (the last one again when the queue is
  // empty); a fade lowers the volume and then starts the next piece.
  int Update() override;

  const GameSound* GetCurrentMusic() const { return m_current.get(); }
  const std::string& GetCurrentName() const { return m_currentName; }
  bool IsFading() const { return m_fading; }
  size_t GetQueueLength() const { return m_queue.size(); }

private:
  MusicManager();

  void StartFade();
  // Stops the current music and plays the queue's front, looping when it is the last entry.
  void PlayFront();

  std::unique_ptr<GameSound> m_current;
  std::string m_currentName;
  bool m_fading = false;
  uint32_t m_fadeStart = 0;
  std::deque<std::string> m_queue;
};
