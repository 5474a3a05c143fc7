// A wave held whole in a sound buffer, with duplicates of it that share its data.
#pragma once

#include <memory>
#include <vector>

#include "platform/dsound/DSound.h"
#include "sound/CWaveStream.h"

namespace Qel {

using plat::dsound::IDirectSoundBuffer8;

class CSound {
public:
  // A lost buffer is restored with at most this many tries, this far apart, before giving up.
  static constexpr int kRestoreTries = 10;
  static constexpr DWORD kRestorePauseMs = 10;

  // Takes over the references of the buffers (the first one, then its duplicates) and the reader. Fills
  // the first buffer from the start of the wave and rewinds every buffer.
  CSound(std::vector<IDirectSoundBuffer8*> buffers, DWORD bufferSize, std::unique_ptr<CWaveStream> wave);
  virtual ~CSound();
  CSound(const CSound&) = delete;
  CSound& operator=(const CSound&) = delete;

  // Plays a buffer that is not playing (else a random one), restoring it first if it was lost.
  HRESULT Play(DWORD priority, DWORD flags);
  HRESULT Stop();
  // Rewinds: every cursor to 0 and the first buffer filled again from the start of the wave.
  virtual HRESULT Reset();
  bool IsPlaying();

  // Null out of range.
  IDirectSoundBuffer8* GetBuffer(DWORD index) const;
  DWORD GetBufferCount() const { return static_cast<DWORD>(m_buffers.size()); }
  DWORD GetBufferSize() const { return m_bufferSize; }
  CWaveStream* GetWave() const { return m_wave.get(); }

  // The whole buffer from the start of the wave; the rest, with repeat, the wave over again, else silence.
  HRESULT FillFromWave(IDirectSoundBuffer8* buffer, bool repeat);
  // Restores a lost buffer: *restored tells whether it had been lost. When it stays lost after
  // kRestoreTries tries, the last failure of Restore is returned.
  HRESULT RecoverLostBuffer(IDirectSoundBuffer8* buffer, bool* restored);

protected:
  // 128 for 8-bit waves, else 0.
  BYTE SilenceByte() const;

  std::vector<IDirectSoundBuffer8*> m_buffers;
  DWORD m_bufferSize;
  std::unique_ptr<CWaveStream> m_wave;
};

}  // namespace Qel
