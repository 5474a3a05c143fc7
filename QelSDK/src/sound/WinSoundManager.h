// The sound manager of the program: the channels, plus the DirectSound device that makes sound buffers.
#pragma once

#include <memory>
#include <string>

#include "platform/dsound/DSound.h"
#include "platform/win/kernel/WinTypes.h"
#include "sound/SoundManager.h"

namespace Qel {

class CSound;
class CSoundDevice;
class CStreamingSound;

class WinSoundManager : public SoundManager {
public:
  // Buffer capabilities of a sound held whole, and of a stream (which adds the rest itself).
  static constexpr plat::dsound::DWORD kSoundBufferFlags = 0x101E0;
  static constexpr plat::dsound::DWORD kStreamBufferFlags = 0x1E0;
  static constexpr plat::dsound::DWORD kStreamSegments = 5;
  static constexpr plat::dsound::DWORD kStreamSegmentSeconds = 2;

  // Made on first use; Shutdown deletes it and the next call makes a new one.
  static WinSoundManager* Instance();
  static bool Exists();

  // Opens the device with 2 channels of 16 bits at 22050 Hz: 0 on success, 1 when DirectSound
  // fails. Only the first call opens it; later ones give the first one's result.
  int32_t Initialize(plat::win::HWND window);
  // Null before a successful Initialize.
  plat::dsound::IDirectSound8* GetDirectSound() const;

  // The buffer of the resource's "wav " file; null without a device or a file.
  std::unique_ptr<CSound> CreateSoundBuffer(const std::string& name);
  // A ring of five two-second segments over the resource's "wav " file, notifying event at each
  // segment's end; null without a device or a file with sound data.
  std::unique_ptr<CStreamingSound> CreateStreamBuffer(const std::string& name, plat::win::HANDLE event);

  // Stops and releases every channel, then deletes the manager.
  void Shutdown() override;

private:
  WinSoundManager();
  ~WinSoundManager() override;

  std::string WavePath(const std::string& name) const;

  std::unique_ptr<CSoundDevice> m_device;
  int32_t m_initResult = 0;
};

}  // namespace Qel
