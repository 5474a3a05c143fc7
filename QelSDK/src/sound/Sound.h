// One playable sound: a WAV resource held whole in a sound buffer or streamed through a ring buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win/kernel/Types.h"

namespace Qel {

class CSound;

// Loads itself at construction; plays through the sound manager, which places it in a channel, and
// tells of its life through the sound events (its id is their data). Owned through a shared pointer.
class Sound {
public:
  static constexpr uint16_t kDefaultPriority = 5;
  // The frequencies a sound may be set to, in Hz.
  static constexpr uint32_t kMinFrequency = 100;
  static constexpr uint32_t kMaxFrequency = 100000;

  // channel -1: any free channel.
  Sound(const std::string& name, bool streamed, int32_t channel);
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  // Fails without a loaded buffer, and for a sound that plays unless restart is asked for; a
  // restart rewinds it (a stream to its start, with its counters).
  bool Play(bool restart);
  // Stops and rewinds a playing or paused sound.
  void Stop();
  bool Pause();
  bool Resume();
  void SetLooping(bool loop) { m_loop = loop; }
  bool IsLooping() const { return m_loop; }
  bool IsPaused() const { return m_paused; }
  bool IsPlaying() const;
  // The per-frame poll: settings applied, a stream refilled, a loop announced.
  void Update();

  // 1.0 is full volume. A factor above 1.0 or one that is not a number changes nothing in the
  // buffer (a sound is never raised above the wave as recorded); 0.0 and below are silence.
  void SetVolume(float factor);
  // Accepted only from kMinFrequency to kMaxFrequency inclusive.
  void SetFrequency(uint32_t hz);
  // The wave's own sample rate times the factor; a result outside the accepted frequencies, or a
  // factor that is not a number, changes nothing.
  void SetPitch(float factor);
  // Milliseconds of a sound held whole (0 for a stream), truncated.
  uint32_t GetPositionMs() const;
  uint32_t GetLengthMs();

  bool IsLoaded() const { return m_buffer != nullptr; }
  bool IsStreamed() const { return m_streamed; }
  const std::string& GetName() const { return m_name; }
  // The identity that the sound events carry: "snd <n>" until the owner names it.
  const std::string& GetId() const { return m_id; }
  void SetId(const std::string& id) { m_id = id; }
  // A lower value is more important.
  uint16_t GetPriority() const { return m_priority; }
  void SetPriority(uint16_t priority) { m_priority = priority; }
  // The sound manager's: the channel the sound occupies, or the fixed channel it asks for; -1 for any.
  int32_t GetChannel() const { return m_channel; }
  void SetChannel(int32_t channel) { m_channel = channel; }
  float GetVolume() const { return m_volume; }
  uint32_t GetFrequency() const { return m_frequency; }
  // Null while not loaded.
  CSound* GetBufferObject() const { return m_buffer.get(); }

private:
  void Load();
  void LoadStreamed();
  // Whoever hears of the new sound gets its id.
  void Loaded();
  void ApplySettings();
  void ArmLoopEvent();
  void CloseLoopEvent();
  // Milliseconds of so many bytes of the first buffer's format.
  uint32_t BytesToMs(uint32_t bytes) const;

  float m_volume = 1.0f;
  uint16_t m_priority = kDefaultPriority;
  bool m_streamed;
  int32_t m_channel;
  bool m_paused = false;
  std::string m_name;
  std::string m_id;
  uint32_t m_lengthBytes = 0;
  bool m_loop = false;
  bool m_loopSeen = false;
  float m_pan = 0.0f;
  uint32_t m_frequency = 0;
  std::unique_ptr<CSound> m_buffer;
  plat::win::HANDLE m_streamEvent = nullptr;
  plat::win::HANDLE m_loopEvent = nullptr;
};

}  // namespace Qel
