// The DirectSound stand-in's entry: the device, and the seams that tests drive it by.
#include "platform/dsound/DSound.h"

#include <atomic>
#include <memory>

#include "platform/dsound/AudioOutput.h"
#include "platform/dsound/DirectSoundDevice.h"
#include "platform/dsound/SoundBuffer.h"

namespace plat::dsound {
namespace {
std::atomic<bool> gPull{false};
std::atomic<HRESULT> gCreateResult{DS_OK};
}  // namespace

HRESULT DirectSoundCreate8(const GUID* device, IDirectSound8** directSound, void* outer) {
  if (!directSound || outer) return DSERR_INVALIDPARAM;
  *directSound = nullptr;
  if (device && !(*device == plat::win::GUID_NULL)) return DSERR_NODRIVER;
  if (const HRESULT injected = gCreateResult; injected != DS_OK) return injected;
  auto output = std::make_shared<AudioOutput>(std::make_shared<Mixer>(), gPull);
  const HRESULT started = output->Start(output->Format());
  if (plat::win::FAILED(started)) return started;
  *directSound = new DirectSoundDevice(std::move(output));
  return DS_OK;
}

Mixer* MixerOf(IDirectSound8* directSound) {
  auto* device = dynamic_cast<DirectSoundDevice*>(directSound);
  return device ? device->GetMixer() : nullptr;
}

void SetPullModeForTesting(bool pull) {
  gPull = pull;
}

void SetCreateResultForTesting(HRESULT result) {
  gCreateResult = result;
}

HRESULT LoseBufferForTesting(IDirectSoundBuffer8* buffer, DWORD failedRestores) {
  auto* secondary = dynamic_cast<SoundBuffer*>(buffer);
  if (!secondary) return DSERR_INVALIDPARAM;
  secondary->Lose(failedRestores);
  return DS_OK;
}

}  // namespace plat::dsound
