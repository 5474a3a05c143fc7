// A wave held whole in a sound buffer, with duplicates of it that share its data.
#include "sound/CSound.h"

#include <cstring>

#include "core/Trace.h"
#include "platform/win/kernel/Events.h"
#include "platform/win/kernel/Random.h"
#include "platform/win/kernel/Timer.h"

namespace Qel {

using plat::win::E_INVALIDARG;
using plat::win::FAILED;
using plat::win::S_OK;

CSound::CSound(std::vector<IDirectSoundBuffer8*> buffers, DWORD bufferSize, std::unique_ptr<CWaveStream> wave)
    : m_buffers(std::move(buffers)), m_bufferSize(bufferSize), m_wave(std::move(wave)) {
  if (m_buffers.empty()) return;
  FillFromWave(m_buffers[0], false);
  for (IDirectSoundBuffer8* buffer : m_buffers) buffer->SetCurrentPosition(0);
}

CSound::~CSound() {
  for (IDirectSoundBuffer8* buffer : m_buffers) buffer->Release();
}

IDirectSoundBuffer8* CSound::GetBuffer(DWORD index) const {
  return index < m_buffers.size() ? m_buffers[index] : nullptr;
}

BYTE CSound::SilenceByte() const {
  const WAVEFORMATEX* format = m_wave ? m_wave->GetFormat() : nullptr;
  return format && format->wBitsPerSample == 8 ? 128 : 0;
}

HRESULT CSound::Play(DWORD priority, DWORD flags) {
  if (m_buffers.empty()) return plat::win::CO_E_NOTINITIALIZED;
  IDirectSoundBuffer8* chosen = nullptr;
  for (IDirectSoundBuffer8* buffer : m_buffers) {
    DWORD status = 0;
    if (buffer->GetStatus(&status) == plat::dsound::DS_OK && !(status & plat::dsound::DSBSTATUS_PLAYING)) {
      chosen = buffer;
      break;
    }
  }
  if (!chosen) chosen = m_buffers[static_cast<size_t>(plat::win::rand()) % m_buffers.size()];
  bool restored = false;
  HRESULT result = RecoverLostBuffer(chosen, &restored);
  if (FAILED(result)) return result;
  if (restored) {
    result = FillFromWave(chosen, false);
    if (FAILED(result)) return result;
    Reset();
  }
  return chosen->Play(0, priority, flags);
}

HRESULT CSound::Stop() {
  if (m_buffers.empty()) return plat::win::CO_E_NOTINITIALIZED;
  HRESULT result = S_OK;
  for (IDirectSoundBuffer8* buffer : m_buffers) {
    const HRESULT stopped = buffer->Stop();
    if (FAILED(stopped)) result = stopped;
  }
  return result;
}

HRESULT CSound::Reset() {
  if (m_buffers.empty()) return plat::win::CO_E_NOTINITIALIZED;
  for (IDirectSoundBuffer8* buffer : m_buffers) {
    const HRESULT rewound = buffer->SetCurrentPosition(0);
    if (FAILED(rewound)) return rewound;
  }
  return FillFromWave(m_buffers[0], false);
}

bool CSound::IsPlaying() {
  for (IDirectSoundBuffer8* buffer : m_buffers) {
    DWORD status = 0;
    if (buffer->GetStatus(&status) == plat::dsound::DS_OK && (status & plat::dsound::DSBSTATUS_PLAYING))
      return true;
  }
  return false;
}

HRESULT CSound::FillFromWave(IDirectSoundBuffer8* buffer, bool repeat) {
  if (!buffer || !m_wave) return plat::win::CO_E_NOTINITIALIZED;
  bool restored = false;
  HRESULT result = RecoverLostBuffer(buffer, &restored);
  if (FAILED(result)) return result;
  void* locked = nullptr;
  DWORD lockedBytes = 0;
  result = buffer->Lock(0, m_bufferSize, &locked, &lockedBytes, nullptr, nullptr, 0);
  if (FAILED(result)) return result;
  BYTE* bytes = static_cast<BYTE*>(locked);
  DWORD filled = 0;
  result = m_wave->ResetFile();
  if (plat::win::SUCCEEDED(result)) result = m_wave->Read(bytes, lockedBytes, &filled);
  // With repeat the wave starts over until the buffer is full; a wave that gives nothing ends that.
  while (repeat && plat::win::SUCCEEDED(result) && filled > 0 && filled < lockedBytes) {
    DWORD more = 0;
    result = m_wave->ResetFile();
    if (plat::win::SUCCEEDED(result)) result = m_wave->Read(bytes + filled, lockedBytes - filled, &more);
    if (more == 0) break;
    filled += more;
  }
  std::memset(bytes + filled, SilenceByte(), lockedBytes - filled);
  const HRESULT unlocked = buffer->Unlock(locked, lockedBytes, nullptr, 0);
  return FAILED(result) ? result : unlocked;
}

HRESULT CSound::RecoverLostBuffer(IDirectSoundBuffer8* buffer, bool* restored) {
  if (!buffer) return plat::win::CO_E_NOTINITIALIZED;
  if (!restored) return E_INVALIDARG;
  *restored = false;
  DWORD status = 0;
  HRESULT result = buffer->GetStatus(&status);
  if (FAILED(result)) return result;
  if (!(status & plat::dsound::DSBSTATUS_BUFFERLOST)) return S_OK;
  // Bounded, so that a device that never comes back costs a tenth of a second, not the frame for ever.
  for (int attempt = 1; attempt <= kRestoreTries; ++attempt) {
    result = buffer->Restore();
    if (plat::win::SUCCEEDED(result)) {
      *restored = true;
      return S_OK;
    }
    if (attempt < kRestoreTries) plat::win::Sleep(kRestorePauseMs);
  }
  Trace("CSound::RecoverLostBuffer - ERROR: the buffer is still lost after %d tries (0x%08x)\n",
        kRestoreTries, static_cast<unsigned>(result));
  return result;
}

}  // namespace Qel
