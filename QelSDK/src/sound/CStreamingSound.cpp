// A wave streamed through a looping ring buffer of segments, refilled behind the play cursor.
#include "sound/CStreamingSound.h"

#include <cstring>

namespace Qel {

using plat::win::FAILED;
using plat::win::S_OK;

CStreamingSound::CStreamingSound(IDirectSoundBuffer8* buffer, DWORD bufferSize,
                                 std::unique_ptr<CWaveStream> wave, DWORD segmentSize)
    : CSound({buffer}, bufferSize, std::move(wave)), m_segmentSize(segmentSize) {}

HRESULT CStreamingSound::Reset() {
  m_lastPlayPosition = 0;
  m_bytesPlayed = 0;
  m_nextWriteOffset = 0;
  m_silence = false;
  return CSound::Reset();
}

bool CStreamingSound::HoldsWholeWave() const {
  return m_wave->GetSize() <= m_bufferSize;
}

HRESULT CStreamingSound::CountPlayedBytes() {
  DWORD play = 0;
  const HRESULT result = GetBuffer(0)->GetCurrentPosition(&play, nullptr);
  if (FAILED(result)) return result;
  const DWORD moved =
      play >= m_lastPlayPosition ? play - m_lastPlayPosition : play + m_bufferSize - m_lastPlayPosition;
  m_bytesPlayed += moved;
  m_lastPlayPosition = play;
  return S_OK;
}

HRESULT CStreamingSound::End() {
  const HRESULT stopped = GetBuffer(0)->Stop();
  if (FAILED(stopped)) return stopped;
  return Reset();
}

HRESULT CStreamingSound::Refill(bool loop) {
  IDirectSoundBuffer8* buffer = GetBuffer(0);
  if (!buffer || !m_wave) return plat::win::CO_E_NOTINITIALIZED;
  bool restored = false;
  HRESULT result = RecoverLostBuffer(buffer, &restored);
  if (FAILED(result)) return result;
  // Whatever the ring held is gone: the stream starts over.
  if (restored) return Reset();

  // Counted on every call, so a ring that holds the whole wave ends too.
  result = CountPlayedBytes();
  if (FAILED(result)) return result;
  if (!loop && m_bytesPlayed >= m_wave->GetSize()) return End();
  if (HoldsWholeWave()) return loop ? S_OK : SilencePlayedHalf();

  DWORD play = 0;
  result = buffer->GetCurrentPosition(&play, nullptr);
  if (FAILED(result)) return result;
  const DWORD behind = (play + m_bufferSize - m_nextWriteOffset) % m_bufferSize;
  const DWORD segments = behind / m_segmentSize;
  for (DWORD i = 0; i < segments; ++i) {
    result = WriteSegment(loop);
    if (FAILED(result)) return result;
    result = CountPlayedBytes();
    if (FAILED(result)) return result;
    if (m_silence && m_bytesPlayed >= m_wave->GetSize()) return End();
    m_nextWriteOffset = (m_nextWriteOffset + m_segmentSize) % m_bufferSize;
  }
  return S_OK;
}

HRESULT CStreamingSound::SilencePlayedHalf() {
  const WAVEFORMATEX* format = m_wave->GetFormat();
  const DWORD half = m_bufferSize / 2 - (m_bufferSize / 2) % format->nBlockAlign;
  if (m_silence || half == 0 || m_bytesPlayed < half) return S_OK;
  void* locked = nullptr;
  DWORD lockedBytes = 0;
  const HRESULT result = GetBuffer(0)->Lock(0, half, &locked, &lockedBytes, nullptr, nullptr, 0);
  if (FAILED(result)) return result;
  std::memset(locked, SilenceByte(), lockedBytes);
  m_silence = true;
  return GetBuffer(0)->Unlock(locked, lockedBytes, nullptr, 0);
}

HRESULT CStreamingSound::WriteSegment(bool loop) {
  IDirectSoundBuffer8* buffer = GetBuffer(0);
  void* part1 = nullptr;
  void* part2 = nullptr;
  DWORD bytes1 = 0;
  DWORD bytes2 = 0;
  HRESULT result = buffer->Lock(m_nextWriteOffset, m_segmentSize, &part1, &bytes1, &part2, &bytes2, 0);
  if (FAILED(result)) return result;
  if (part2) {
    buffer->Unlock(part1, 0, part2, 0);
    return plat::win::E_UNEXPECTED;  // segments never straddle the ring's end
  }
  BYTE* bytes = static_cast<BYTE*>(part1);
  DWORD filled = 0;
  if (!m_silence) {
    result = m_wave->Read(bytes, bytes1, &filled);
    while (loop && plat::win::SUCCEEDED(result) && filled < bytes1) {
      DWORD more = 0;
      result = m_wave->ResetFile();
      if (plat::win::SUCCEEDED(result)) result = m_wave->Read(bytes + filled, bytes1 - filled, &more);
      if (more == 0) break;
      filled += more;
    }
    if (!loop && filled < bytes1) m_silence = true;
  }
  std::memset(bytes + filled, SilenceByte(), bytes1 - filled);
  const HRESULT unlocked = buffer->Unlock(part1, bytes1, nullptr, 0);
  return FAILED(result) ? result : unlocked;
}

}  // namespace Qel
