// The records, flags and result codes of the DirectSound 8 calls our code makes.
#pragma once

#include <cstdint>

#include "platform/win/kernel/Com.h"
#include "platform/win/kernel/WinTypes.h"

namespace plat::dsound {

using plat::win::BOOL;
using plat::win::DWORD;
using plat::win::GUID;
using plat::win::HANDLE;
using plat::win::HRESULT;
using plat::win::LONG;
using plat::win::REFIID;
using plat::win::WORD;
using ULONG = uint32_t;

inline constexpr WORD WAVE_FORMAT_PCM = 1;

// A wave's format. The mixer plays PCM only: 8-bit (unsigned, 128 = silence) or 16-bit (signed), mono
// or stereo.
struct WAVEFORMATEX {
  WORD wFormatTag = 0;
  WORD nChannels = 0;
  DWORD nSamplesPerSec = 0;
  DWORD nAvgBytesPerSec = 0;
  WORD nBlockAlign = 0;
  WORD wBitsPerSample = 0;
  WORD cbSize = 0;
};

struct DSBUFFERDESC {
  DWORD dwSize = sizeof(DSBUFFERDESC);  // kept for the familiar form; never checked
  DWORD dwFlags = 0;
  DWORD dwBufferBytes = 0;  // 0 for the primary buffer
  DWORD dwReserved = 0;
  const WAVEFORMATEX* lpwfxFormat = nullptr;  // null for the primary buffer
  GUID guid3DAlgorithm{};
};

struct DSBCAPS {
  DWORD dwSize = sizeof(DSBCAPS);
  DWORD dwFlags = 0;
  DWORD dwBufferBytes = 0;
  DWORD dwUnlockTransferRate = 0;
  DWORD dwPlayCpuOverhead = 0;
};

struct DSBPOSITIONNOTIFY {
  DWORD dwOffset = 0;
  HANDLE hEventNotify = nullptr;
};

// Cooperative levels: all are accepted, the mixer being the only user of the output.
inline constexpr DWORD DSSCL_NORMAL = 1;
inline constexpr DWORD DSSCL_PRIORITY = 2;
inline constexpr DWORD DSSCL_EXCLUSIVE = 3;
inline constexpr DWORD DSSCL_WRITEPRIMARY = 4;

// Buffer capabilities. A control that was not asked for is refused with DSERR_CONTROLUNAVAIL.
inline constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x1;
inline constexpr DWORD DSBCAPS_STATIC = 0x2;
inline constexpr DWORD DSBCAPS_LOCHARDWARE = 0x4;
inline constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x8;
inline constexpr DWORD DSBCAPS_CTRL3D = 0x10;  // refused: there is no 3-D sound
inline constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
inline constexpr DWORD DSBCAPS_CTRLPAN = 0x40;
inline constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;
inline constexpr DWORD DSBCAPS_CTRLPOSITIONNOTIFY = 0x100;
inline constexpr DWORD DSBCAPS_STICKYFOCUS = 0x4000;
inline constexpr DWORD DSBCAPS_GLOBALFOCUS = 0x8000;
inline constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x10000;

inline constexpr DWORD DSBPLAY_LOOPING = 0x1;

inline constexpr DWORD DSBSTATUS_PLAYING = 0x1;
inline constexpr DWORD DSBSTATUS_BUFFERLOST = 0x2;
inline constexpr DWORD DSBSTATUS_LOOPING = 0x4;

inline constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x1;
inline constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x2;

// Volume in hundredths of a decibel of attenuation: 0 is the wave as recorded, -10000 silence.
inline constexpr LONG DSBVOLUME_MIN = -10000;
inline constexpr LONG DSBVOLUME_MAX = 0;
// Pan in hundredths of a decibel by which the other side is attenuated.
inline constexpr LONG DSBPAN_LEFT = -10000;
inline constexpr LONG DSBPAN_CENTER = 0;
inline constexpr LONG DSBPAN_RIGHT = 10000;
inline constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
inline constexpr DWORD DSBFREQUENCY_MIN = 100;
inline constexpr DWORD DSBFREQUENCY_MAX = 200000;
inline constexpr DWORD DSBSIZE_MIN = 4;
inline constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

// The default 3-D algorithm: none.
inline constexpr GUID DS3DALG_DEFAULT{};

inline constexpr HRESULT DS_OK = 0;
// A success: a 3-D algorithm was asked for and the buffer was made without it.
inline constexpr HRESULT DS_NO_VIRTUALIZATION = 0x0878000A;
inline constexpr HRESULT DSERR_ALLOCATED = plat::win::MakeHResult(0x8878000Au);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = plat::win::MakeHResult(0x8878001Eu);
inline constexpr HRESULT DSERR_INVALIDPARAM = plat::win::E_INVALIDARG;
inline constexpr HRESULT DSERR_INVALIDCALL = plat::win::MakeHResult(0x88780032u);
inline constexpr HRESULT DSERR_GENERIC = plat::win::E_FAIL;
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = plat::win::MakeHResult(0x88780046u);
inline constexpr HRESULT DSERR_OUTOFMEMORY = plat::win::E_OUTOFMEMORY;
inline constexpr HRESULT DSERR_BADFORMAT = plat::win::MakeHResult(0x88780064u);
inline constexpr HRESULT DSERR_UNSUPPORTED = plat::win::E_NOTIMPL;
inline constexpr HRESULT DSERR_NODRIVER = plat::win::MakeHResult(0x88780078u);
inline constexpr HRESULT DSERR_BUFFERLOST = plat::win::MakeHResult(0x88780096u);
inline constexpr HRESULT DSERR_UNINITIALIZED = plat::win::MakeHResult(0x887800AAu);
inline constexpr HRESULT DSERR_NOINTERFACE = plat::win::E_NOINTERFACE;

// Interface identifiers for QueryInterface. The values are this stand-in's own tokens.
inline constexpr GUID IID_IDirectSound8{0x51500001u, 0, 0, {'q', 'e', 'l', 'd', 's', 'n', 'd', '8'}};
inline constexpr GUID IID_IDirectSoundBuffer{0x51500002u, 0, 0, {'q', 'e', 'l', 'd', 's', 'b', 'u', 'f'}};
inline constexpr GUID IID_IDirectSoundBuffer8{0x51500003u, 0, 0, {'q', 'e', 'l', 'd', 's', 'b', 'f', '8'}};
inline constexpr GUID IID_IDirectSoundNotify8{0x51500004u, 0, 0, {'q', 'e', 'l', 'd', 's', 'n', 't', '8'}};

}  // namespace plat::dsound
