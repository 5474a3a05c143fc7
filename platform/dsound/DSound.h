// The DirectSound stand-in's entry: the device, its interfaces, and the seams that tests drive it by.
#pragma once

#include "platform/dsound/DSoundTypes.h"
#include "platform/dsound/IDirectSound8.h"
#include "platform/dsound/IDirectSoundBuffer8.h"
#include "platform/dsound/IDirectSoundNotify8.h"

namespace plat::dsound {

class Mixer;

// Makes the device and opens the audio output (SDL, interleaved signed 16-bit stereo at the primary
// buffer's rate, 22050 Hz until SetFormat). When no audio device opens, SDL's dummy driver is used, so
// sounds still take their real time, and one "WARN:" line on stderr tells the player there is no sound.
// Only the default device (null) exists; outer must be null.
HRESULT DirectSoundCreate8(const GUID* device, IDirectSound8** directSound, void* outer);

// The mixer behind a device made by DirectSoundCreate8, null for anything else.
Mixer* MixerOf(IDirectSound8* directSound);

// Test seam: while on, DirectSoundCreate8 opens no audio output; the mixer then runs only when the test
// calls Mixer::Render.
void SetPullModeForTesting(bool pull);
// Test seam: while not DS_OK, DirectSoundCreate8 fails with this result and makes nothing.
void SetCreateResultForTesting(HRESULT result);
// Test seam: the buffer is lost as when another program takes the device: it stops, reports
// DSBSTATUS_BUFFERLOST, and Lock and Play fail with DSERR_BUFFERLOST until Restore succeeds. The next
// failedRestores calls of Restore fail with DSERR_BUFFERLOST as well. Restore leaves the data silent.
HRESULT LoseBufferForTesting(IDirectSoundBuffer8* buffer, DWORD failedRestores);

}  // namespace plat::dsound
