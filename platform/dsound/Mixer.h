// The software mixer: every playing buffer summed into interleaved signed 16-bit stereo.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/dsound/DSoundTypes.h"

namespace plat::dsound {

struct Voice;

// The audio thread and the game thread meet here: every voice's state is guarded by the mixer's lock,
// which Render holds while it mixes and every buffer call takes. Events are set after the lock is left.
class Mixer {
public:
  static constexpr DWORD kDefaultRate = 22050;

  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // Mixes the next frames of output (two samples each, left first) and moves every playing voice on:
  // the pull call the audio callback makes and tests make directly. Silence when nothing plays.
  void Render(int16_t* out, uint32_t frames);

  DWORD OutputRate() const;
  void SetOutputRate(DWORD rate);

  // The lock that guards every voice; buffers take it for each call.
  std::mutex& Lock() { return m_mutex; }
  // Under the lock: starts and stops mixing a voice. Stopping an idle voice does nothing.
  void StartVoice(Voice* voice);
  void StopVoice(Voice* voice);

private:
  void MixVoice(Voice& voice, int32_t* out, uint32_t frames);
  // Queues the events of the notifications in the frames [fromFrame, toFrame).
  void Notify(const Voice& voice, uint64_t fromFrame, uint64_t toFrame);

  mutable std::mutex m_mutex;
  DWORD m_rate = kDefaultRate;
  std::vector<Voice*> m_playing;
  std::vector<int32_t> m_accumulator;
  std::vector<HANDLE> m_toSignal;
};

}  // namespace plat::dsound
