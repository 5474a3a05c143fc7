// One playable sound: loading, playing through its buffer, its settings and its per-frame poll.
#include "sound/Sound.h"

#include <algorithm>

#include "core/Trace.h"
#include "platform/win/kernel/Events.h"
#include "platform/win/kernel/Files.h"
#include "sound/CSound.h"
#include "sound/CStreamingSound.h"
#include "sound/SoundEvents.h"
#include "sound/WinSoundManager.h"

namespace Qel {

using plat::dsound::DSBCAPS;
using plat::dsound::DSBPOSITIONNOTIFY;
using plat::dsound::IDirectSoundNotify8;
using plat::win::LONG;

namespace {

// DirectSound pan units per unit of pan.
constexpr float kPanScale = 10000.0f;

plat::win::HANDLE MakeAutoResetEvent() {
  return plat::win::CreateEventA(nullptr, plat::win::FALSE, plat::win::FALSE, nullptr);
}

bool IsSignalled(plat::win::HANDLE event) {
  return event && plat::win::WaitForSingleObject(event, 0) == plat::win::WAIT_OBJECT_0;
}

void CloseEvent(plat::win::HANDLE& event) {
  if (event) plat::win::CloseHandle(event);
  event = nullptr;
}

}  // namespace

Sound::Sound(const std::string& name, bool streamed, int32_t channel)
    : m_streamed(streamed), m_channel(channel), m_name(name) {
  m_id = WinSoundManager::Instance()->MakeSoundName();
  if (m_streamed) {
    LoadStreamed();
  } else {
    Load();
  }
}

Sound::~Sound() {
  // The buffer goes first, so that no notification is set on an event already closed.
  m_buffer.reset();
  CloseEvent(m_streamEvent);
  CloseEvent(m_loopEvent);
}

void Sound::Load() {
  m_buffer = WinSoundManager::Instance()->CreateSoundBuffer(m_name);
  Loaded();
}

void Sound::LoadStreamed() {
  m_streamEvent = MakeAutoResetEvent();
  if (m_streamEvent) m_buffer = WinSoundManager::Instance()->CreateStreamBuffer(m_name, m_streamEvent);
  if (!m_buffer) CloseEvent(m_streamEvent);
  Loaded();
}

void Sound::Loaded() {
  if (!m_buffer) {
    Trace("Sound::Load - ERROR: sound failed to load, probably a bad filename (%s)\n", m_name.c_str());
    return;
  }
  DWORD frequency = 0;
  m_buffer->GetBuffer(0)->GetFrequency(&frequency);
  m_frequency = frequency;
  PostSoundEvent(EventId::SoundLoaded, *this);
}

bool Sound::IsPlaying() const {
  return m_buffer && m_buffer->IsPlaying();
}

bool Sound::Play(bool restart) {
  if (!m_buffer) return false;
  const bool playing = IsPlaying();
  if (playing && !restart) return false;
  // The buffer's own Reset rewinds a stream with its counters, so a replay starts from the top.
  if (restart && (playing || m_paused)) {
    m_buffer->Stop();
    m_buffer->Reset();
  }
  ApplySettings();
  if (!m_streamed && m_loop) {
    ArmLoopEvent();
  } else {
    CloseLoopEvent();
  }
  const bool loop = m_streamed || m_loop;
  if (plat::win::FAILED(m_buffer->Play(0, loop ? plat::dsound::DSBPLAY_LOOPING : 0))) return false;
  ApplySettings();
  m_paused = false;
  PostSoundEvent(EventId::SoundStarted, *this);
  return true;
}

void Sound::Stop() {
  // A paused sound is stopped too, or a later Resume would bring it back.
  if (!m_buffer || (!IsPlaying() && !m_paused)) return;
  m_buffer->Stop();
  m_buffer->Reset();
  m_paused = false;
}

bool Sound::Pause() {
  if (m_paused || !IsPlaying()) return false;
  m_buffer->Stop();
  m_paused = true;
  return true;
}

bool Sound::Resume() {
  if (!m_paused) return false;
  const bool loop = m_streamed || m_loop;
  m_buffer->Play(0, loop ? plat::dsound::DSBPLAY_LOOPING : 0);
  m_paused = false;
  return true;
}

void Sound::ArmLoopEvent() {
  CloseLoopEvent();
  m_loopSeen = false;
  m_loopEvent = MakeAutoResetEvent();
  if (!m_loopEvent) return;
  void* object = nullptr;
  if (plat::win::FAILED(
          m_buffer->GetBuffer(0)->QueryInterface(plat::dsound::IID_IDirectSoundNotify8, &object))) {
    CloseEvent(m_loopEvent);
    return;
  }
  auto* notify = static_cast<IDirectSoundNotify8*>(object);
  const DSBPOSITIONNOTIFY start{0, m_loopEvent};
  if (plat::win::FAILED(notify->SetNotificationPositions(1, &start))) CloseEvent(m_loopEvent);
  notify->Release();
}

void Sound::CloseLoopEvent() {
  if (!m_loopEvent) return;
  void* object = nullptr;
  if (plat::win::SUCCEEDED(
          m_buffer->GetBuffer(0)->QueryInterface(plat::dsound::IID_IDirectSoundNotify8, &object))) {
    auto* notify = static_cast<IDirectSoundNotify8*>(object);
    notify->SetNotificationPositions(0, nullptr);
    notify->Release();
  }
  CloseEvent(m_loopEvent);
}

void Sound::Update() {
  ApplySettings();
  if (m_paused || !m_buffer) return;
  if (m_streamed) {
    if (IsSignalled(m_streamEvent)) static_cast<CStreamingSound*>(m_buffer.get())->Refill(m_loop);
    return;
  }
  if (m_loop && IsSignalled(m_loopEvent)) {
    // The notification at offset 0 also fires as play starts: the first pass is no loop.
    if (m_loopSeen) PostSoundEvent(EventId::SoundLooped, *this);
    m_loopSeen = true;
  }
}

void Sound::ApplySettings() {
  IDirectSoundBuffer8* buffer = m_buffer ? m_buffer->GetBuffer(0) : nullptr;
  if (!buffer) return;
  buffer->SetPan(static_cast<LONG>(std::clamp(m_pan, -1.0f, 1.0f) * kPanScale));
  const SoundManager* manager = WinSoundManager::Instance();
  const float gain = manager->GetMasterVolume() * manager->GetChannelVolume(m_channel) * m_volume;
  // Tested in floating point before the conversion: above full volume (the buffer would refuse the
  // positive value anyway) or not a number, the buffer keeps its volume; below silence is silence.
  const float attenuation = (1.0f - gain) * -10000.0f;
  if (attenuation <= 0.0f) {
    buffer->SetVolume(
        static_cast<LONG>(std::max(attenuation, static_cast<float>(plat::dsound::DSBVOLUME_MIN))));
  }
  buffer->SetFrequency(m_frequency);
}

void Sound::SetVolume(float factor) {
  m_volume = factor;
  ApplySettings();
}

void Sound::SetFrequency(uint32_t hz) {
  if (hz < kMinFrequency || hz > kMaxFrequency) return;
  m_frequency = hz;
  ApplySettings();
}

void Sound::SetPitch(float factor) {
  IDirectSoundBuffer8* buffer = m_buffer ? m_buffer->GetBuffer(0) : nullptr;
  if (!buffer) return;
  WAVEFORMATEX format;
  if (plat::win::FAILED(buffer->GetFormat(&format, sizeof format, nullptr))) return;
  // Tested in floating point before the conversion: a negative, huge or undefined product changes
  // nothing, as any other frequency out of range.
  const double hz = static_cast<double>(format.nSamplesPerSec) * factor;
  if (!(hz >= 0.0 && hz < kMaxFrequency + 1.0)) return;
  SetFrequency(static_cast<uint32_t>(hz));
}

uint32_t Sound::BytesToMs(uint32_t bytes) const {
  IDirectSoundBuffer8* buffer = m_buffer ? m_buffer->GetBuffer(0) : nullptr;
  if (!buffer) return 0;
  WAVEFORMATEX format;
  if (plat::win::FAILED(buffer->GetFormat(&format, sizeof format, nullptr))) return 0;
  // In 64 bits and multiplied out before the one division: stepwise integer division would move in
  // whole seconds, and bytes x 8000 does not fit 32 bits past 512 KiB.
  const uint64_t bitsPerSecond =
      static_cast<uint64_t>(format.wBitsPerSample) * format.nSamplesPerSec * format.nChannels;
  if (bitsPerSecond == 0) return 0;
  const uint64_t ms = static_cast<uint64_t>(bytes) * 8 * 1000 / bitsPerSecond;
  return static_cast<uint32_t>(std::min<uint64_t>(ms, UINT32_MAX));
}

uint32_t Sound::GetPositionMs() const {
  if (m_streamed || !m_buffer) return 0;
  DWORD play = 0;
  DWORD write = 0;
  if (plat::win::FAILED(m_buffer->GetBuffer(0)->GetCurrentPosition(&play, &write))) return 0;
  return BytesToMs(play);
}

uint32_t Sound::GetLengthMs() {
  if (m_streamed || !m_buffer) return 0;
  if (m_lengthBytes == 0) {
    DSBCAPS caps;
    if (plat::win::SUCCEEDED(m_buffer->GetBuffer(0)->GetCaps(&caps))) m_lengthBytes = caps.dwBufferBytes;
  }
  return BytesToMs(m_lengthBytes);
}

}  // namespace Qel
