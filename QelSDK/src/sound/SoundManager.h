// The sound manager's platform-independent part: 64 channels, each held by the sound that plays in it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace Qel {

class Sound;

class SoundManager {
public:
  static constexpr int kChannelCount = 64;

  SoundManager();
  virtual ~SoundManager();
  SoundManager(const SoundManager&) = delete;
  SoundManager& operator=(const SoundManager&) = delete;

  virtual void Shutdown() {}

  // Places the sound in a channel (its own fixed one, or any with channel -1) and plays it there.
  // False for no sound, no channel to be had, or a play that fails; a sound that already holds its
  // channel stays there and only the play decides.
  bool PlaySound(const std::shared_ptr<Sound>& sound, bool restart);
  // Stops the sound of a channel 0..63 (others are ignored); the next Update frees the channel.
  void StopChannel(int32_t channel);
  // The factor of a channel 0..63, else 0.0.
  float GetChannelVolume(int32_t channel) const;
  float GetMasterVolume() const { return m_masterVolume; }
  // The sound of a channel 0..63, else null.
  std::shared_ptr<Sound> GetChannelSound(int32_t channel) const;
  uint32_t GetNumSoundsPlaying() const { return sNumSoundsPlaying; }

  // The ids of sounds: 1 first, then counting up.
  uint32_t NextSoundId();
  // "snd " followed by the next id.
  std::string MakeSoundName();

  // Once per frame: polls the sounds that play or are paused, and frees the channels of those that
  // ended, posting their "finished" events (each channel freed before its post, so that a sound a
  // listener places there keeps it).
  void Update();
  // Stops and releases every channel.
  void Cleanup();

protected:
  // Called first by each Update.
  virtual void PlatformUpdate() {}

private:
  bool AssignChannel(const std::shared_ptr<Sound>& sound, int32_t channel);
  // The channel to put a sound of this priority in, free or held by a sound that may be put out;
  // -1 when there is none.
  int FindAnyChannel(uint16_t priority) const;
  int FindFixedChannel(int32_t channel, uint16_t priority) const;
  // Takes a channel from the sound that holds it; that sound is stopped and told it has finished.
  void Evict(int channel);
  // Empties a channel and takes it from the sound that held it.
  std::shared_ptr<Sound> Release(int channel);

  std::array<std::shared_ptr<Sound>, kChannelCount> m_channels;
  std::array<float, kChannelCount> m_channelVolumes;
  uint32_t m_idCounter = 0;
  float m_masterVolume = 1.0f;
  // Occupied channels.
  uint32_t sNumSoundsPlaying = 0;
};

}  // namespace Qel
