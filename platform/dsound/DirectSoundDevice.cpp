// The sound device: buffers made on one mixer, played through one audio output.
#include "platform/dsound/DirectSoundDevice.h"

#include "platform/dsound/PrimaryBuffer.h"
#include "platform/dsound/SoundBuffer.h"

namespace plat::dsound {
namespace {

bool IsPlayable(const WAVEFORMATEX& format) {
  return format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
         (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) &&
         format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
         format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

}  // namespace

DirectSoundDevice::DirectSoundDevice(std::shared_ptr<AudioOutput> output) : m_output(std::move(output)) {}

HRESULT DirectSoundDevice::QueryInterface(REFIID iid, void** object) {
  if (!object) return plat::win::E_POINTER;
  *object = nullptr;
  if (!(iid == IID_IDirectSound8)) return DSERR_NOINTERFACE;
  *object = static_cast<IDirectSound8*>(this);
  AddRef();
  return DS_OK;
}

ULONG DirectSoundDevice::AddRef() {
  return ++m_references;
}

ULONG DirectSoundDevice::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT DirectSoundDevice::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer8** buffer,
                                             void* outer) {
  if (!description || !buffer || outer) return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  const DWORD flags = description->dwFlags;
  if (flags & DSBCAPS_PRIMARYBUFFER) return CreatePrimaryBuffer(*description, buffer);
  if (flags & DSBCAPS_CTRL3D) return DSERR_CONTROLUNAVAIL;
  const WAVEFORMATEX* format = description->lpwfxFormat;
  if (!format) return DSERR_INVALIDPARAM;
  if (!IsPlayable(*format)) return DSERR_BADFORMAT;
  const DWORD bytes = description->dwBufferBytes;
  if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX || bytes < format->nBlockAlign) return DSERR_INVALIDPARAM;
  *buffer = new SoundBuffer(m_output->GetMixer(), flags, bytes, *format);
  return description->guid3DAlgorithm == DS3DALG_DEFAULT ? DS_OK : DS_NO_VIRTUALIZATION;
}

HRESULT DirectSoundDevice::CreatePrimaryBuffer(const DSBUFFERDESC& description,
                                               IDirectSoundBuffer8** buffer) {
  if (description.dwBufferBytes != 0 || description.lpwfxFormat) return DSERR_INVALIDPARAM;
  std::weak_ptr<AudioOutput> output = m_output;
  *buffer =
      new PrimaryBuffer(m_output->Format(), m_level >= DSSCL_PRIORITY, [output](const WAVEFORMATEX& format) {
        const std::shared_ptr<AudioOutput> alive = output.lock();
        return alive ? alive->Start(format) : DSERR_UNINITIALIZED;
      });
  return DS_OK;
}

HRESULT DirectSoundDevice::DuplicateSoundBuffer(IDirectSoundBuffer8* original,
                                                IDirectSoundBuffer8** duplicate) {
  if (!original || !duplicate) return DSERR_INVALIDPARAM;
  *duplicate = nullptr;
  auto* secondary = dynamic_cast<SoundBuffer*>(original);
  if (!secondary) return DSERR_INVALIDCALL;  // the primary buffer has no data to share
  *duplicate = secondary->Duplicate();
  return DS_OK;
}

// Any window is taken: the output belongs to the mixer alone, whichever window has the focus.
HRESULT DirectSoundDevice::SetCooperativeLevel(plat::win::HWND /*window*/, DWORD level) {
  if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
  m_level = level;
  return DS_OK;
}

}  // namespace plat::dsound
