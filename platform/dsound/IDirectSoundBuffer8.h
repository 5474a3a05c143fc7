// A sound buffer: a wave in memory that plays once or in a loop through the mixer.
#pragma once

#include "platform/dsound/DSoundTypes.h"

namespace plat::dsound {

// Reference counted: Release, never delete. Duplicates share the sound data but have their own cursor,
// volume, pan, frequency and notifications. All calls are safe from any thread.
class IDirectSoundBuffer8 {
public:
  // IID_IDirectSoundBuffer and IID_IDirectSoundBuffer8 give the buffer itself, IID_IDirectSoundNotify8
  // its notification interface (for buffers made with DSBCAPS_CTRLPOSITIONNOTIFY).
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

  virtual HRESULT GetCaps(DSBCAPS* caps) = 0;
  // The play cursor, and the write cursor: the first byte that the mixer has not yet read.
  virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
  // Copies up to sizeAllocated bytes of the format; with a null format only the size is reported.
  virtual HRESULT GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* sizeWritten) = 0;
  virtual HRESULT GetVolume(LONG* volume) = 0;
  virtual HRESULT GetPan(LONG* pan) = 0;
  virtual HRESULT GetFrequency(DWORD* frequency) = 0;
  virtual HRESULT GetStatus(DWORD* status) = 0;

  // Gives the bytes from offset as one or two parts: the second starts at the buffer's beginning when
  // the range wraps (null and 0 otherwise). What is written there reaches the buffer at Unlock, which
  // takes the same pointers and the byte counts written.
  virtual HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
                       DWORD flags) = 0;
  virtual HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) = 0;

  // Plays from the cursor; a non-looping buffer stops at its end with the cursor back at 0.
  virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
  // Stops and keeps the cursor where it is.
  virtual HRESULT Stop() = 0;
  virtual HRESULT SetCurrentPosition(DWORD position) = 0;
  // Only for the primary buffer: the output format.
  virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;
  // -10000..0; anything else is refused with DSERR_INVALIDPARAM and the volume stays as it was.
  virtual HRESULT SetVolume(LONG volume) = 0;
  // -10000..10000: a positive pan attenuates the left side, a negative one the right.
  virtual HRESULT SetPan(LONG pan) = 0;
  // 100..200000 Hz, or DSBFREQUENCY_ORIGINAL for the format's own rate.
  virtual HRESULT SetFrequency(DWORD frequency) = 0;
  // Gives a lost buffer its memory back (the data must be written again).
  virtual HRESULT Restore() = 0;

protected:
  virtual ~IDirectSoundBuffer8() = default;
};

// The primary buffer and secondary buffers share the one interface.
using IDirectSoundBuffer = IDirectSoundBuffer8;

}  // namespace plat::dsound
