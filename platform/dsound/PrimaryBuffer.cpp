// The primary buffer: the output itself, whose format sets the rate the mixer renders at.
#include "platform/dsound/PrimaryBuffer.h"

#include <algorithm>
#include <cstring>

namespace plat::dsound {

PrimaryBuffer::PrimaryBuffer(const WAVEFORMATEX& format, bool mayWrite, FormatSetter setFormat)
    : m_format(format), m_mayWrite(mayWrite), m_setFormat(std::move(setFormat)) {}

HRESULT PrimaryBuffer::QueryInterface(REFIID iid, void** object) {
  if (!object) return plat::win::E_POINTER;
  *object = nullptr;
  if (!(iid == IID_IDirectSoundBuffer)) return DSERR_NOINTERFACE;
  *object = static_cast<IDirectSoundBuffer8*>(this);
  AddRef();
  return DS_OK;
}

ULONG PrimaryBuffer::AddRef() {
  return ++m_references;
}

ULONG PrimaryBuffer::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT PrimaryBuffer::GetCaps(DSBCAPS* caps) {
  if (!caps) return DSERR_INVALIDPARAM;
  caps->dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_LOCSOFTWARE;
  caps->dwBufferBytes = m_format.nAvgBytesPerSec;  // nominal: the mixer keeps no output ring of its own
  caps->dwUnlockTransferRate = 0;
  caps->dwPlayCpuOverhead = 0;
  return DS_OK;
}

HRESULT PrimaryBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) {
  if (playCursor) *playCursor = 0;
  if (writeCursor) *writeCursor = 0;
  return DS_OK;
}

HRESULT PrimaryBuffer::GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* sizeWritten) {
  if (!format) {
    if (!sizeWritten) return DSERR_INVALIDPARAM;
    *sizeWritten = sizeof(WAVEFORMATEX);
    return DS_OK;
  }
  const DWORD size = std::min<DWORD>(sizeAllocated, sizeof(WAVEFORMATEX));
  std::memcpy(format, &m_format, size);
  if (sizeWritten) *sizeWritten = size;
  return DS_OK;
}

HRESULT PrimaryBuffer::GetVolume(LONG*) {
  return DSERR_CONTROLUNAVAIL;
}
HRESULT PrimaryBuffer::GetPan(LONG*) {
  return DSERR_CONTROLUNAVAIL;
}
HRESULT PrimaryBuffer::GetFrequency(DWORD*) {
  return DSERR_CONTROLUNAVAIL;
}

HRESULT PrimaryBuffer::GetStatus(DWORD* status) {
  if (!status) return DSERR_INVALIDPARAM;
  *status = 0;
  return DS_OK;
}

// Writing the output directly needs DSSCL_WRITEPRIMARY, which nothing asks for.
HRESULT PrimaryBuffer::Lock(DWORD, DWORD, void**, DWORD*, void**, DWORD*, DWORD) {
  return DSERR_PRIOLEVELNEEDED;
}
HRESULT PrimaryBuffer::Unlock(void*, DWORD, void*, DWORD) {
  return DSERR_INVALIDCALL;
}

// The output runs whenever the device is open.
HRESULT PrimaryBuffer::Play(DWORD reserved, DWORD, DWORD) {
  return reserved == 0 ? DS_OK : DSERR_INVALIDPARAM;
}
HRESULT PrimaryBuffer::Stop() {
  return DS_OK;
}

HRESULT PrimaryBuffer::SetCurrentPosition(DWORD) {
  return DSERR_INVALIDCALL;
}

HRESULT PrimaryBuffer::SetFormat(const WAVEFORMATEX* format) {
  if (!format) return DSERR_INVALIDPARAM;
  if (!m_mayWrite) return DSERR_PRIOLEVELNEEDED;
  const bool pcm = format->wFormatTag == WAVE_FORMAT_PCM &&
                   (format->nChannels == 1 || format->nChannels == 2) &&
                   (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) &&
                   format->nBlockAlign == format->nChannels * format->wBitsPerSample / 8 &&
                   format->nSamplesPerSec >= DSBFREQUENCY_MIN && format->nSamplesPerSec <= DSBFREQUENCY_MAX;
  if (!pcm) return DSERR_BADFORMAT;
  const HRESULT result = m_setFormat(*format);
  if (plat::win::FAILED(result)) return result;
  m_format = *format;
  m_format.nAvgBytesPerSec = format->nSamplesPerSec * format->nBlockAlign;
  m_format.cbSize = 0;
  return DS_OK;
}

HRESULT PrimaryBuffer::SetVolume(LONG) {
  return DSERR_CONTROLUNAVAIL;
}
HRESULT PrimaryBuffer::SetPan(LONG) {
  return DSERR_CONTROLUNAVAIL;
}
HRESULT PrimaryBuffer::SetFrequency(DWORD) {
  return DSERR_CONTROLUNAVAIL;
}
HRESULT PrimaryBuffer::Restore() {
  return DS_OK;
}

}  // namespace plat::dsound
