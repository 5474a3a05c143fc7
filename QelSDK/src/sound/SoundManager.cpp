// The sound manager's channels, the per-frame reaping of ended sounds and the sound ids.
#include "sound/SoundManager.h"

#include "core/Trace.h"
#include "sound/Sound.h"
#include "sound/SoundEvents.h"

namespace Qel {

SoundManager::SoundManager() {
  m_channelVolumes.fill(1.0f);
}

SoundManager::~SoundManager() = default;

bool SoundManager::PlaySound(const std::shared_ptr<Sound>& sound, bool restart) {
  if (!sound) return false;
  if (!AssignChannel(sound, sound->GetChannel())) return false;
  return sound->Play(restart);
}

bool SoundManager::AssignChannel(const std::shared_ptr<Sound>& sound, int32_t channel) {
  // A sound played again while it still holds its channel must not put itself out of it.
  if (channel >= 0 && channel < kChannelCount && m_channels[channel] == sound) return true;
  // Each eviction tells a listener, who may take channels in turn; every pass frees one, so the
  // search ends.
  for (int pass = 0; pass <= kChannelCount; ++pass) {
    const int target =
        channel < 0 ? FindAnyChannel(sound->GetPriority()) : FindFixedChannel(channel, sound->GetPriority());
    if (target < 0) return false;
    if (!m_channels[target]) {
      m_channels[target] = sound;
      sound->SetChannel(target);
      ++sNumSoundsPlaying;
      return true;
    }
    Evict(target);
  }
  return false;
}

int SoundManager::FindAnyChannel(uint16_t priority) const {
  for (int i = 0; i < kChannelCount; ++i) {
    if (!m_channels[i]) return i;
  }
  // A lower value is more important: a sound gives way to one at least as important.
  for (int i = 0; i < kChannelCount; ++i) {
    if (m_channels[i]->GetPriority() >= priority) return i;
  }
  return -1;
}

int SoundManager::FindFixedChannel(int32_t channel, uint16_t priority) const {
  if (channel < 0 || channel >= kChannelCount) return -1;
  const std::shared_ptr<Sound>& holder = m_channels[channel];
  if (holder && holder->GetPriority() < priority) return -1;
  return channel;
}

void SoundManager::Evict(int channel) {
  // A sound put out of its channel has ended as surely as one that ran out: whoever waits for it
  // (a speech queue awaiting its line) must hear so, or it waits for ever.
  std::shared_ptr<Sound> sound = Release(channel);
  sound->Stop();
  PostSoundEvent(EventId::SoundFinished, *sound);
}

std::shared_ptr<Sound> SoundManager::Release(int channel) {
  std::shared_ptr<Sound> sound = std::move(m_channels[channel]);
  m_channels[channel].reset();
  sound->SetChannel(-1);
  --sNumSoundsPlaying;
  return sound;
}

void SoundManager::StopChannel(int32_t channel) {
  if (channel < 0 || channel >= kChannelCount || !m_channels[channel]) return;
  m_channels[channel]->Stop();
}

float SoundManager::GetChannelVolume(int32_t channel) const {
  if (channel < 0 || channel >= kChannelCount) return 0.0f;
  return m_channelVolumes[channel];
}

std::shared_ptr<Sound> SoundManager::GetChannelSound(int32_t channel) const {
  if (channel < 0 || channel >= kChannelCount) return nullptr;
  return m_channels[channel];
}

uint32_t SoundManager::NextSoundId() {
  return ++m_idCounter;
}

std::string SoundManager::MakeSoundName() {
  return "snd " + std::to_string(NextSoundId());
}

void SoundManager::Update() {
  PlatformUpdate();
  for (int i = 0; i < kChannelCount; ++i) {
    // Read afresh each time: a listener of an earlier post may have changed any channel.
    const std::shared_ptr<Sound> sound = m_channels[i];
    if (!sound) continue;
    if (sound->IsPlaying() || sound->IsPaused()) {
      sound->Update();
      continue;
    }
    Release(i);
    PostSoundEvent(EventId::SoundFinished, *sound);
  }
}

void SoundManager::Cleanup() {
  uint32_t count = 0;
  for (int i = 0; i < kChannelCount; ++i) {
    if (!m_channels[i]) continue;
    const std::shared_ptr<Sound> sound = std::move(m_channels[i]);
    m_channels[i].reset();
    sound->Stop();
    sound->SetChannel(-1);
    ++count;
  }
  if (count != sNumSoundsPlaying) {
    Trace("SoundManager::Cleanup(): sound count = %u, sNumSoundsPlaying = %u\n", count, sNumSoundsPlaying);
  }
  sNumSoundsPlaying = 0;
}

}  // namespace Qel
