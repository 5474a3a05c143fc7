// The holder of the DirectSound device, which makes the buffer objects of waves.
#pragma once

#include <memory>

#include "platform/dsound/DSound.h"
#include "platform/win/kernel/WinTypes.h"
#include "sound/CSound.h"
#include "sound/CStreamingSound.h"

namespace Qel {

using plat::dsound::IDirectSound8;
using plat::win::GUID;
using plat::win::HANDLE;

class CSoundDevice {
public:
  CSoundDevice() = default;
  ~CSoundDevice();
  CSoundDevice(const CSoundDevice&) = delete;
  CSoundDevice& operator=(const CSoundDevice&) = delete;

  // Releases an older device, makes the default one, sets the cooperative level and the primary
  // buffer's format.
  HRESULT Initialize(plat::win::HWND window, DWORD cooperativeLevel, DWORD channels, DWORD sampleRate,
                     DWORD bits);
  HRESULT ConfigurePrimaryBuffer(DWORD channels, DWORD sampleRate, DWORD bits);
  // Null until initialised.
  IDirectSound8* GetDirectSound() const { return m_directSound; }

  // A static sound: one buffer of the wave's data size and count - 1 duplicates. CO_E_NOTINITIALIZED
  // without a device; E_INVALIDARG without a name or an out pointer, or for count 0; E_FAIL for a wave
  // that does not open or holds no data. DS_NO_VIRTUALIZATION is a success.
  HRESULT CreateSound(std::unique_ptr<CSound>* sound, const char* fileName, DWORD flags,
                      const GUID& algorithm3d, DWORD count);
  // A streamed sound: a ring of segmentCount x segmentSize bytes (one segment of the wave's size when the
  // wave is shorter), notifying event. The segment size must be a whole number of sample frames.
  HRESULT CreateStreamingSound(std::unique_ptr<CStreamingSound>* sound, const char* fileName, DWORD flags,
                               const GUID& algorithm3d, DWORD segmentCount, DWORD segmentSize, HANDLE event);

private:
  void ReleaseDevice();

  IDirectSound8* m_directSound = nullptr;
};

}  // namespace Qel
