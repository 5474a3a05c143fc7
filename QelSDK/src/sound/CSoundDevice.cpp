// The holder of the DirectSound device, which makes the buffer objects of waves.
#include "sound/CSoundDevice.h"

#include <algorithm>
#include <vector>

#include "core/Trace.h"

namespace Qel {

using namespace plat::dsound;
using plat::win::E_FAIL;
using plat::win::E_INVALIDARG;
using plat::win::FAILED;
using plat::win::S_OK;

namespace {

// Where a stream's event is set: at each segment's last byte, as the refill expects. Two more places
// keep a one-shot from overrunning its end. A ring of one segment also gets its middle, since a
// notification only at its end could not tell a whole pass from none. A wave that does not end on a
// segment's end gets its last byte, so that the stop comes when the wave ends, not up to a segment later.
std::vector<DWORD> StreamNotificationOffsets(DWORD bufferSize, DWORD segmentSize, DWORD dataSize,
                                             DWORD block) {
  std::vector<DWORD> offsets;
  for (DWORD end = segmentSize; end <= bufferSize; end += segmentSize) offsets.push_back(end - 1);
  if (segmentSize == bufferSize) {
    const DWORD middle = bufferSize / 2 - (bufferSize / 2) % block;
    if (middle > 0) offsets.push_back(middle);
  }
  if (dataSize > bufferSize) offsets.push_back((dataSize - 1) % bufferSize);
  std::sort(offsets.begin(), offsets.end());
  offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
  return offsets;
}

}  // namespace

CSoundDevice::~CSoundDevice() {
  ReleaseDevice();
}

void CSoundDevice::ReleaseDevice() {
  if (m_directSound) m_directSound->Release();
  m_directSound = nullptr;
}

HRESULT CSoundDevice::Initialize(plat::win::HWND window, DWORD cooperativeLevel, DWORD channels,
                                 DWORD sampleRate, DWORD bits) {
  Trace("Initializing sound sub-system...\n");
  ReleaseDevice();
  HRESULT result = DirectSoundCreate8(nullptr, &m_directSound, nullptr);
  if (FAILED(result)) {
    Trace("CSoundDevice::Initialize - ERROR: DirectSoundCreate8 failed (0x%08x)\n",
          static_cast<unsigned>(result));
    return result;
  }
  result = m_directSound->SetCooperativeLevel(window, cooperativeLevel);
  if (FAILED(result)) {
    Trace("CSoundDevice::Initialize - ERROR: SetCooperativeLevel failed (0x%08x)\n",
          static_cast<unsigned>(result));
    return result;
  }
  result = ConfigurePrimaryBuffer(channels, sampleRate, bits);
  if (FAILED(result)) {
    Trace("CSoundDevice::Initialize - ERROR: the primary buffer's format was refused (0x%08x)\n",
          static_cast<unsigned>(result));
  }
  return result;
}

HRESULT CSoundDevice::ConfigurePrimaryBuffer(DWORD channels, DWORD sampleRate, DWORD bits) {
  if (!m_directSound) return plat::win::CO_E_NOTINITIALIZED;
  DSBUFFERDESC description;
  description.dwFlags = DSBCAPS_PRIMARYBUFFER;
  IDirectSoundBuffer8* primary = nullptr;
  HRESULT result = m_directSound->CreateSoundBuffer(&description, &primary, nullptr);
  if (FAILED(result)) return result;
  WAVEFORMATEX format;
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = sampleRate;
  format.wBitsPerSample = static_cast<WORD>(bits);
  format.nBlockAlign = static_cast<WORD>(bits / 8 * channels);
  format.nAvgBytesPerSec = format.nBlockAlign * sampleRate;
  result = primary->SetFormat(&format);
  primary->Release();
  return result;
}

HRESULT CSoundDevice::CreateSound(std::unique_ptr<CSound>* sound, const char* fileName, DWORD flags,
                                  const GUID& algorithm3d, DWORD count) {
  if (!m_directSound) return plat::win::CO_E_NOTINITIALIZED;
  if (!fileName || !sound || count == 0) return E_INVALIDARG;
  auto wave = std::make_unique<CWaveStream>();
  HRESULT result = wave->Open(fileName, nullptr, CWaveStream::kRead);
  if (FAILED(result)) return result;
  if (wave->GetSize() == 0) return E_FAIL;

  DSBUFFERDESC description;
  description.dwFlags = flags;
  description.dwBufferBytes = wave->GetSize();
  description.lpwfxFormat = wave->GetFormat();
  description.guid3DAlgorithm = algorithm3d;
  IDirectSoundBuffer8* first = nullptr;
  result = m_directSound->CreateSoundBuffer(&description, &first, nullptr);
  if (FAILED(result)) return result;
  std::vector<IDirectSoundBuffer8*> buffers{first};
  for (DWORD i = 1; i < count; ++i) {
    IDirectSoundBuffer8* duplicate = nullptr;
    const HRESULT duplicated = m_directSound->DuplicateSoundBuffer(first, &duplicate);
    if (FAILED(duplicated)) {
      for (IDirectSoundBuffer8* buffer : buffers) buffer->Release();
      return duplicated;
    }
    buffers.push_back(duplicate);
  }
  *sound = std::make_unique<CSound>(std::move(buffers), description.dwBufferBytes, std::move(wave));
  return result;  // DS_NO_VIRTUALIZATION stays visible
}

HRESULT CSoundDevice::CreateStreamingSound(std::unique_ptr<CStreamingSound>* sound, const char* fileName,
                                           DWORD flags, const GUID& algorithm3d, DWORD segmentCount,
                                           DWORD segmentSize, HANDLE event) {
  if (!m_directSound) return plat::win::CO_E_NOTINITIALIZED;
  if (!fileName || !sound || !event || segmentCount == 0 || segmentSize == 0) return E_INVALIDARG;
  auto wave = std::make_unique<CWaveStream>();
  HRESULT result = wave->Open(fileName, nullptr, CWaveStream::kRead);
  if (FAILED(result)) return result;
  const DWORD dataSize = wave->GetSize();
  if (dataSize == 0) return E_FAIL;
  const DWORD block = wave->GetFormat()->nBlockAlign;
  const uint64_t ring = uint64_t{segmentCount} * segmentSize;
  if (segmentSize % block != 0 || ring > DSBSIZE_MAX) return E_INVALIDARG;
  const bool shorter = dataSize < ring;
  const DWORD bufferSize = shorter ? dataSize : static_cast<DWORD>(ring);
  const DWORD segment = shorter ? dataSize : segmentSize;

  DSBUFFERDESC description;
  description.dwFlags = flags | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2;
  description.dwBufferBytes = bufferSize;
  description.lpwfxFormat = wave->GetFormat();
  description.guid3DAlgorithm = algorithm3d;
  IDirectSoundBuffer8* buffer = nullptr;
  result = m_directSound->CreateSoundBuffer(&description, &buffer, nullptr);
  if (FAILED(result)) return result;

  IDirectSoundNotify8* notify = nullptr;
  HRESULT notified = buffer->QueryInterface(IID_IDirectSoundNotify8, reinterpret_cast<void**>(&notify));
  if (plat::win::SUCCEEDED(notified)) {
    std::vector<DSBPOSITIONNOTIFY> positions;
    for (DWORD offset : StreamNotificationOffsets(bufferSize, segment, dataSize, block)) {
      positions.push_back({offset, event});
    }
    notified = notify->SetNotificationPositions(static_cast<DWORD>(positions.size()), positions.data());
    notify->Release();
  }
  if (FAILED(notified)) {
    buffer->Release();
    return notified;
  }
  *sound = std::make_unique<CStreamingSound>(buffer, bufferSize, std::move(wave), segment);
  return result;
}

}  // namespace Qel
