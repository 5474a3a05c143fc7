// A secondary sound buffer and its notification interface: one voice of the mixer.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/dsound/IDirectSoundBuffer8.h"
#include "platform/dsound/IDirectSoundNotify8.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/Voice.h"

namespace plat::dsound {

class SoundBuffer final : public IDirectSoundBuffer8, public IDirectSoundNotify8 {
public:
  // A new buffer of silence; the format must already be one the mixer plays.
  SoundBuffer(std::shared_ptr<Mixer> mixer, DWORD flags, DWORD bytes, const WAVEFORMATEX& format);
  // A duplicate: the same data and settings, stopped at 0, without notifications. The one reference it
  // starts with is the caller's.
  SoundBuffer* Duplicate() const;

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT GetCaps(DSBCAPS* caps) override;
  HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
  HRESULT GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* sizeWritten) override;
  HRESULT GetVolume(LONG* volume) override;
  HRESULT GetPan(LONG* pan) override;
  HRESULT GetFrequency(DWORD* frequency) override;
  HRESULT GetStatus(DWORD* status) override;
  HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
               DWORD flags) override;
  HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) override;
  HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
  HRESULT Stop() override;
  HRESULT SetCurrentPosition(DWORD position) override;
  HRESULT SetFormat(const WAVEFORMATEX* format) override;
  HRESULT SetVolume(LONG volume) override;
  HRESULT SetPan(LONG pan) override;
  HRESULT SetFrequency(DWORD frequency) override;
  HRESULT Restore() override;

  HRESULT SetNotificationPositions(DWORD count, const DSBPOSITIONNOTIFY* positions) override;

  // The test seam behind LoseBufferForTesting.
  void Lose(DWORD failedRestores);

private:
  // A lock hands out a copy of the range; Unlock writes it back under the mixer's lock, so the audio
  // thread never reads bytes while the game thread writes them.
  struct PendingLock {
    DWORD offset;
    DWORD bytes;
    std::vector<uint8_t> copy;
  };

  SoundBuffer(std::shared_ptr<Mixer> mixer, DWORD flags) : m_mixer(std::move(mixer)), m_flags(flags) {}
  ~SoundBuffer() override;
  DWORD Bytes() const { return m_voice.frames * m_voice.format.nBlockAlign; }
  bool Has(DWORD control) const { return (m_flags & control) != 0; }

  std::shared_ptr<Mixer> m_mixer;
  std::atomic<ULONG> m_references{1};
  DWORD m_flags;
  Voice m_voice;  // guarded by the mixer's lock, as is everything below
  std::vector<std::unique_ptr<PendingLock>> m_locks;
  bool m_lost = false;
  DWORD m_failedRestores = 0;
};

}  // namespace plat::dsound
