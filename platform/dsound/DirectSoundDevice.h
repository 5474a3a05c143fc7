// The sound device: buffers made on one mixer, played through one audio output.
#pragma once

#include <atomic>
#include <memory>

#include "platform/dsound/AudioOutput.h"
#include "platform/dsound/IDirectSound8.h"

namespace plat::dsound {

class DirectSoundDevice final : public IDirectSound8 {
public:
  explicit DirectSoundDevice(std::shared_ptr<AudioOutput> output);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer8** buffer,
                            void* outer) override;
  HRESULT DuplicateSoundBuffer(IDirectSoundBuffer8* original, IDirectSoundBuffer8** duplicate) override;
  HRESULT SetCooperativeLevel(plat::win::HWND window, DWORD level) override;

  Mixer* GetMixer() const { return m_output->GetMixer().get(); }

private:
  ~DirectSoundDevice() override = default;
  HRESULT CreatePrimaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer8** buffer);

  std::atomic<ULONG> m_references{1};
  std::shared_ptr<AudioOutput> m_output;
  std::atomic<DWORD> m_level{0};
};

}  // namespace plat::dsound
