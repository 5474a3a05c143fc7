// The program's sound manager and the sound buffers it makes.
#include "sound/WinSoundManager.h"

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "sound/CSoundDevice.h"
#include "sound/CStreamingSound.h"
#include "sound/CWaveStream.h"

namespace Qel {
namespace {
WinSoundManager* sInstance = nullptr;
}

WinSoundManager* WinSoundManager::Instance() {
  if (!sInstance) sInstance = new WinSoundManager();
  return sInstance;
}

bool WinSoundManager::Exists() {
  return sInstance != nullptr;
}

WinSoundManager::WinSoundManager() = default;

WinSoundManager::~WinSoundManager() = default;

int32_t WinSoundManager::Initialize(plat::win::HWND window) {
  if (m_device) return m_initResult;
  m_device = std::make_unique<CSoundDevice>();
  const HRESULT result = m_device->Initialize(window, plat::dsound::DSSCL_PRIORITY, 2, 22050, 16);
  m_initResult = plat::win::FAILED(result) ? 1 : 0;
  return m_initResult;
}

plat::dsound::IDirectSound8* WinSoundManager::GetDirectSound() const {
  return m_device ? m_device->GetDirectSound() : nullptr;
}

std::string WinSoundManager::WavePath(const std::string& name) const {
  std::string path;
  ResourceManager::GetInstance()->GetResourcePath(path, name, kTypeWave);
  return path;
}

std::unique_ptr<CSound> WinSoundManager::CreateSoundBuffer(const std::string& name) {
  std::unique_ptr<CSound> sound;
  if (!GetDirectSound()) return sound;
  const std::string path = WavePath(name);
  if (path.empty()) return sound;
  if (plat::win::FAILED(
          m_device->CreateSound(&sound, path.c_str(), kSoundBufferFlags, plat::dsound::DS3DALG_DEFAULT, 1))) {
    sound.reset();
  }
  return sound;
}

std::unique_ptr<CStreamingSound> WinSoundManager::CreateStreamBuffer(const std::string& name,
                                                                     plat::win::HANDLE event) {
  std::unique_ptr<CStreamingSound> stream;
  if (!GetDirectSound()) return stream;
  const std::string path = WavePath(name);
  if (path.empty()) return stream;
  CWaveStream wave;
  if (plat::win::FAILED(wave.Open(path.c_str(), nullptr, CWaveStream::kRead)) || wave.GetSize() == 0) {
    return stream;
  }
  const WAVEFORMATEX* format = wave.GetFormat();
  const DWORD blockAlign = format->nBlockAlign;
  DWORD segmentSize = format->nSamplesPerSec * blockAlign * kStreamSegmentSeconds;
  segmentSize -= segmentSize % blockAlign;
  wave.Close();
  if (plat::win::FAILED(m_device->CreateStreamingSound(&stream, path.c_str(), kStreamBufferFlags,
                                                       plat::dsound::DS3DALG_DEFAULT, kStreamSegments,
                                                       segmentSize, event))) {
    stream.reset();
  }
  return stream;
}

void WinSoundManager::Shutdown() {
  Cleanup();
  if (sInstance == this) sInstance = nullptr;
  delete this;
}

}  // namespace Qel
