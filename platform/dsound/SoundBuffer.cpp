// A secondary sound buffer and its notification interface: one voice of the mixer.
#include "platform/dsound/SoundBuffer.h"

#include <algorithm>
#include <cstring>

namespace plat::dsound {
namespace {

uint8_t SilenceOf(const WAVEFORMATEX& format) {
  return format.wBitsPerSample == 8 ? 128 : 0;
}

}  // namespace

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> mixer, DWORD flags, DWORD bytes, const WAVEFORMATEX& format)
    : m_mixer(std::move(mixer)), m_flags(flags) {
  m_voice.format = format;
  m_voice.format.cbSize = 0;
  m_voice.frames = bytes / format.nBlockAlign;
  m_voice.data =
      std::make_shared<std::vector<uint8_t>>(size_t{m_voice.frames} * format.nBlockAlign, SilenceOf(format));
  m_voice.frequency = format.nSamplesPerSec;
}

SoundBuffer* SoundBuffer::Duplicate() const {
  auto* copy = new SoundBuffer(m_mixer, m_flags);
  std::lock_guard lock(m_mixer->Lock());
  copy->m_voice.data = m_voice.data;
  copy->m_voice.format = m_voice.format;
  copy->m_voice.frames = m_voice.frames;
  copy->m_voice.frequency = m_voice.frequency;
  copy->m_voice.volume = m_voice.volume;
  copy->m_voice.pan = m_voice.pan;
  return copy;
}

SoundBuffer::~SoundBuffer() {
  std::lock_guard lock(m_mixer->Lock());
  m_mixer->StopVoice(&m_voice);
}

HRESULT SoundBuffer::QueryInterface(REFIID iid, void** object) {
  if (!object) return plat::win::E_POINTER;
  *object = nullptr;
  if (iid == IID_IDirectSoundBuffer || iid == IID_IDirectSoundBuffer8) {
    *object = static_cast<IDirectSoundBuffer8*>(this);
  } else if (iid == IID_IDirectSoundNotify8 && Has(DSBCAPS_CTRLPOSITIONNOTIFY)) {
    *object = static_cast<IDirectSoundNotify8*>(this);
  } else {
    return DSERR_NOINTERFACE;
  }
  AddRef();
  return DS_OK;
}

ULONG SoundBuffer::AddRef() {
  return ++m_references;
}

ULONG SoundBuffer::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT SoundBuffer::GetCaps(DSBCAPS* caps) {
  if (!caps) return DSERR_INVALIDPARAM;
  caps->dwFlags = m_flags | DSBCAPS_LOCSOFTWARE;
  caps->dwBufferBytes = Bytes();
  caps->dwUnlockTransferRate = 0;
  caps->dwPlayCpuOverhead = 0;
  return DS_OK;
}

HRESULT SoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) {
  std::lock_guard lock(m_mixer->Lock());
  // Everything from the play cursor on is still to be read by the mixer, so it is also the write cursor.
  const auto play = static_cast<DWORD>(m_voice.position >> 32) * m_voice.format.nBlockAlign;
  if (playCursor) *playCursor = play;
  if (writeCursor) *writeCursor = play;
  return DS_OK;
}

HRESULT SoundBuffer::GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* sizeWritten) {
  if (!format) {
    if (!sizeWritten) return DSERR_INVALIDPARAM;
    *sizeWritten = sizeof(WAVEFORMATEX);
    return DS_OK;
  }
  const DWORD size = std::min<DWORD>(sizeAllocated, sizeof(WAVEFORMATEX));
  std::memcpy(format, &m_voice.format, size);
  if (sizeWritten) *sizeWritten = size;
  return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LONG* volume) {
  if (!volume) return DSERR_INVALIDPARAM;
  if (!Has(DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  std::lock_guard lock(m_mixer->Lock());
  *volume = m_voice.volume;
  return DS_OK;
}

HRESULT SoundBuffer::GetPan(LONG* pan) {
  if (!pan) return DSERR_INVALIDPARAM;
  if (!Has(DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
  std::lock_guard lock(m_mixer->Lock());
  *pan = m_voice.pan;
  return DS_OK;
}

HRESULT SoundBuffer::GetFrequency(DWORD* frequency) {
  if (!frequency) return DSERR_INVALIDPARAM;
  if (!Has(DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
  std::lock_guard lock(m_mixer->Lock());
  *frequency = m_voice.frequency;
  return DS_OK;
}

HRESULT SoundBuffer::GetStatus(DWORD* status) {
  if (!status) return DSERR_INVALIDPARAM;
  std::lock_guard lock(m_mixer->Lock());
  *status = 0;
  if (m_voice.playing) *status |= DSBSTATUS_PLAYING | (m_voice.looping ? DSBSTATUS_LOOPING : 0);
  if (m_lost) *status |= DSBSTATUS_BUFFERLOST;
  return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
                          DWORD flags) {
  if (!part1 || !bytes1) return DSERR_INVALIDPARAM;
  std::lock_guard lock(m_mixer->Lock());
  if (m_lost) return DSERR_BUFFERLOST;
  const DWORD size = Bytes();
  if (flags & DSBLOCK_FROMWRITECURSOR)
    offset = static_cast<DWORD>(m_voice.position >> 32) * m_voice.format.nBlockAlign;
  if (flags & DSBLOCK_ENTIREBUFFER) bytes = size;
  if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  const DWORD first = std::min(bytes, size - offset);
  if (first < bytes && (!part2 || !bytes2)) return DSERR_INVALIDPARAM;

  auto pending = std::make_unique<PendingLock>();
  pending->offset = offset;
  pending->bytes = bytes;
  const std::vector<uint8_t>& data = *m_voice.data;
  pending->copy.assign(data.begin() + offset, data.begin() + offset + first);
  pending->copy.insert(pending->copy.end(), data.begin(), data.begin() + (bytes - first));
  *part1 = pending->copy.data();
  *bytes1 = first;
  if (part2) *part2 = first < bytes ? pending->copy.data() + first : nullptr;
  if (bytes2) *bytes2 = bytes - first;
  m_locks.push_back(std::move(pending));
  return DS_OK;
}

HRESULT SoundBuffer::Unlock(void* part1, DWORD bytes1, void* /*part2*/, DWORD bytes2) {
  std::lock_guard lock(m_mixer->Lock());
  const auto found = std::find_if(m_locks.begin(), m_locks.end(),
                                  [part1](const auto& pending) { return pending->copy.data() == part1; });
  if (found == m_locks.end()) return DSERR_INVALIDPARAM;
  const PendingLock& pending = **found;
  const DWORD size = Bytes();
  const DWORD first = std::min(pending.bytes, size - pending.offset);
  if (bytes1 > first || bytes2 > pending.bytes - first) return DSERR_INVALIDPARAM;
  std::vector<uint8_t>& data = *m_voice.data;
  std::memcpy(data.data() + pending.offset, pending.copy.data(), bytes1);
  std::memcpy(data.data(), pending.copy.data() + first, bytes2);
  m_locks.erase(found);
  return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD reserved, DWORD /*priority*/, DWORD flags) {
  if (reserved != 0) return DSERR_INVALIDPARAM;
  std::lock_guard lock(m_mixer->Lock());
  if (m_lost) return DSERR_BUFFERLOST;
  m_voice.looping = (flags & DSBPLAY_LOOPING) != 0;
  m_voice.playing = true;
  m_mixer->StartVoice(&m_voice);
  return DS_OK;
}

HRESULT SoundBuffer::Stop() {
  std::lock_guard lock(m_mixer->Lock());
  m_voice.playing = false;
  m_mixer->StopVoice(&m_voice);
  return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD position) {
  std::lock_guard lock(m_mixer->Lock());
  if (position >= Bytes()) return DSERR_INVALIDPARAM;
  m_voice.position = uint64_t{position / m_voice.format.nBlockAlign} << 32;
  return DS_OK;
}

HRESULT SoundBuffer::SetFormat(const WAVEFORMATEX* /*format*/) {
  return DSERR_INVALIDCALL;  // only the primary buffer's format can be set
}

HRESULT SoundBuffer::SetVolume(LONG volume) {
  if (!Has(DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  std::lock_guard lock(m_mixer->Lock());
  m_voice.volume = volume;
  return DS_OK;
}

HRESULT SoundBuffer::SetPan(LONG pan) {
  if (!Has(DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
  if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
  std::lock_guard lock(m_mixer->Lock());
  m_voice.pan = pan;
  return DS_OK;
}

HRESULT SoundBuffer::SetFrequency(DWORD frequency) {
  if (!Has(DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
  if (frequency == DSBFREQUENCY_ORIGINAL) frequency = m_voice.format.nSamplesPerSec;
  if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
  std::lock_guard lock(m_mixer->Lock());
  m_voice.frequency = frequency;
  return DS_OK;
}

HRESULT SoundBuffer::Restore() {
  std::lock_guard lock(m_mixer->Lock());
  if (!m_lost) return DS_OK;
  if (m_failedRestores > 0) {
    --m_failedRestores;
    return DSERR_BUFFERLOST;
  }
  m_lost = false;
  std::fill(m_voice.data->begin(), m_voice.data->end(), SilenceOf(m_voice.format));
  return DS_OK;
}

HRESULT SoundBuffer::SetNotificationPositions(DWORD count, const DSBPOSITIONNOTIFY* positions) {
  if (count > 0 && !positions) return DSERR_INVALIDPARAM;
  std::vector<Voice::Notification> notifications;
  for (DWORD i = 0; i < count; ++i) {
    if (positions[i].dwOffset >= Bytes() || !positions[i].hEventNotify) return DSERR_INVALIDPARAM;
    notifications.push_back({positions[i].dwOffset / m_voice.format.nBlockAlign, positions[i].hEventNotify});
  }
  std::sort(notifications.begin(), notifications.end(),
            [](const auto& a, const auto& b) { return a.frame < b.frame; });
  std::lock_guard lock(m_mixer->Lock());
  if (m_voice.playing) return DSERR_INVALIDCALL;
  m_voice.notifications = std::move(notifications);
  return DS_OK;
}

void SoundBuffer::Lose(DWORD failedRestores) {
  std::lock_guard lock(m_mixer->Lock());
  m_lost = true;
  m_failedRestores = failedRestores;
  m_voice.playing = false;
  m_mixer->StopVoice(&m_voice);
}

}  // namespace plat::dsound
