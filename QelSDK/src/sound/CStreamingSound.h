// A wave streamed through a looping ring buffer of segments, refilled behind the play cursor.
#pragma once

#include <memory>

#include "sound/CSound.h"

namespace Qel {

// Refill is called on the game thread whenever the stream's event is set: at each segment's last byte,
// where the wave's data ends in the ring, and in the middle of a ring of one segment (see
// CSoundDevice::CreateStreamingSound). A stream that is not looped stops at the end of its data
// and rewinds itself, so it plays again from its start.
class CStreamingSound : public CSound {
public:
  // One buffer of bufferSize bytes: segmentSize x the segment count, or the whole wave when it is shorter.
  CStreamingSound(IDirectSoundBuffer8* buffer, DWORD bufferSize, std::unique_ptr<CWaveStream> wave,
                  DWORD segmentSize);

  // Writes the segments the play cursor has left behind; without loop, stops at the end of the data.
  HRESULT Refill(bool loop);
  // Rewinds the stream and its counters.
  HRESULT Reset() override;

  DWORD GetSegmentSize() const { return m_segmentSize; }

private:
  // Adds the bytes the cursor moved since the last look (a wrap when it stands behind it) to the count.
  HRESULT CountPlayedBytes();
  bool HoldsWholeWave() const;
  // A ring that holds the whole wave is not refilled; a one-shot silences its played first half instead,
  // so that what plays after the wrap, until the stop, is silence and not the wave's start.
  HRESULT SilencePlayedHalf();
  HRESULT WriteSegment(bool loop);
  // Stops and rewinds, ready to play again from the start.
  HRESULT End();

  DWORD m_lastPlayPosition = 0;
  uint64_t m_bytesPlayed = 0;
  DWORD m_segmentSize;
  DWORD m_nextWriteOffset = 0;
  bool m_silence = false;
};

}  // namespace Qel
