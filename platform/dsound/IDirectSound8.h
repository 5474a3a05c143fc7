// The sound device: makes the buffers that the mixer plays.
#pragma once

#include "platform/dsound/DSoundTypes.h"
#include "platform/dsound/IDirectSoundBuffer8.h"
#include "platform/win/kernel/WinTypes.h"

namespace plat::dsound {

// Reference counted: Release, never delete. Buffers keep the mixer alive; once the device is released
// its audio output is closed and buffers still held play no more.
class IDirectSound8 {
public:
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

  // With DSBCAPS_PRIMARYBUFFER (size 0, no format) the primary buffer, whose SetFormat sets the output
  // rate. Otherwise a secondary buffer of dwBufferBytes (DSBSIZE_MIN..DSBSIZE_MAX, rounded down to whole
  // sample frames) in a PCM format the mixer plays, initially silent; DSERR_BADFORMAT for other formats.
  // A 3-D algorithm other than DS3DALG_DEFAULT gives a plain buffer and DS_NO_VIRTUALIZATION.
  virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer8** buffer,
                                    void* outer) = 0;
  // A new buffer on the same sound data, stopped at cursor 0, with the original's settings.
  virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer8* original, IDirectSoundBuffer8** duplicate) = 0;
  virtual HRESULT SetCooperativeLevel(plat::win::HWND window, DWORD level) = 0;

protected:
  virtual ~IDirectSound8() = default;
};

}  // namespace plat::dsound
