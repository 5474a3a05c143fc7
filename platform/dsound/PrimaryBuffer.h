// The primary buffer: the output itself, whose format sets the rate the mixer renders at.
#pragma once

#include <atomic>
#include <functional>

#include "platform/dsound/IDirectSoundBuffer8.h"

namespace plat::dsound {

class PrimaryBuffer final : public IDirectSoundBuffer8 {
public:
  // Changes the output format; answers DS_OK or the failure to report.
  using FormatSetter = std::function<HRESULT(const WAVEFORMATEX&)>;

  PrimaryBuffer(const WAVEFORMATEX& format, bool mayWrite, FormatSetter setFormat);

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

private:
  ~PrimaryBuffer() override = default;

  std::atomic<ULONG> m_references{1};
  WAVEFORMATEX m_format;
  bool m_mayWrite;  // the cooperative level allows setting the format
  FormatSetter m_setFormat;
};

}  // namespace plat::dsound
