// The records, format codes, flags and result codes of the Direct3D 8 calls our code makes.
#pragma once

#include <cstdint>

#include "platform/win/kernel/Com.h"
#include "platform/win/kernel/WinTypes.h"

namespace plat::d3d8 {

using plat::win::BOOL;
using plat::win::BYTE;
using plat::win::DWORD;
using plat::win::FALSE;
using plat::win::HRESULT;
using plat::win::HWND;
using plat::win::LONG;
using plat::win::POINT;
using plat::win::RECT;
using plat::win::TRUE;
using plat::win::UINT;
using plat::win::WORD;
using ULONG = uint32_t;
using INT = int;

// The rectangle form that Clear takes: corners x1, y1 inside, x2, y2 outside.
struct D3DRECT {
  LONG x1;
  LONG y1;
  LONG x2;
  LONG y2;
};

// A colour as 0xAARRGGBB.
using D3DCOLOR = DWORD;

inline constexpr D3DCOLOR D3DCOLOR_ARGB(DWORD a, DWORD r, DWORD g, DWORD b) {
  return ((a & 0xFFu) << 24) | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

// Pixel formats. Surfaces store exactly these layouts, little-endian, the first-named channel in the
// highest bits ("X" bits are unused and written as ones).
using D3DFORMAT = DWORD;
inline constexpr D3DFORMAT D3DFMT_UNKNOWN = 0;
inline constexpr D3DFORMAT D3DFMT_R8G8B8 = 20;  // three bytes: blue, green, red
inline constexpr D3DFORMAT D3DFMT_A8R8G8B8 = 21;
inline constexpr D3DFORMAT D3DFMT_X8R8G8B8 = 22;
inline constexpr D3DFORMAT D3DFMT_R5G6B5 = 23;
inline constexpr D3DFORMAT D3DFMT_X1R5G5B5 = 24;
inline constexpr D3DFORMAT D3DFMT_A1R5G5B5 = 25;
inline constexpr D3DFORMAT D3DFMT_A4R4G4B4 = 26;
inline constexpr D3DFORMAT D3DFMT_P8 = 41;  // palette index; see D3DX8.h for the palette rules

using D3DDEVTYPE = DWORD;
inline constexpr D3DDEVTYPE D3DDEVTYPE_HAL = 1;
inline constexpr D3DDEVTYPE D3DDEVTYPE_REF = 2;
inline constexpr D3DDEVTYPE D3DDEVTYPE_SW = 3;

using D3DPOOL = DWORD;
inline constexpr D3DPOOL D3DPOOL_DEFAULT = 0;
inline constexpr D3DPOOL D3DPOOL_MANAGED = 1;
inline constexpr D3DPOOL D3DPOOL_SYSTEMMEM = 2;
inline constexpr D3DPOOL D3DPOOL_SCRATCH = 3;

using D3DRESOURCETYPE = DWORD;
inline constexpr D3DRESOURCETYPE D3DRTYPE_SURFACE = 1;
inline constexpr D3DRESOURCETYPE D3DRTYPE_TEXTURE = 3;

using D3DMULTISAMPLE_TYPE = DWORD;
inline constexpr D3DMULTISAMPLE_TYPE D3DMULTISAMPLE_NONE = 0;

using D3DSWAPEFFECT = DWORD;
inline constexpr D3DSWAPEFFECT D3DSWAPEFFECT_DISCARD = 1;
inline constexpr D3DSWAPEFFECT D3DSWAPEFFECT_FLIP = 2;
inline constexpr D3DSWAPEFFECT D3DSWAPEFFECT_COPY = 3;

using D3DBACKBUFFER_TYPE = DWORD;
inline constexpr D3DBACKBUFFER_TYPE D3DBACKBUFFER_TYPE_MONO = 0;

// Device creation flags. Every flag is accepted; the device is software whatever they say.
inline constexpr DWORD D3DCREATE_MULTITHREADED = 0x4;
inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;

inline constexpr DWORD D3DUSAGE_RENDERTARGET = 0x1;

inline constexpr DWORD D3DCLEAR_TARGET = 0x1;
inline constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
inline constexpr DWORD D3DCLEAR_STENCIL = 0x4;

inline constexpr DWORD D3DLOCK_READONLY = 0x10;

inline constexpr DWORD D3DSGR_NO_CALIBRATION = 0x0;
inline constexpr DWORD D3DSGR_CALIBRATE = 0x1;

// Capability bits the start-up checks.
inline constexpr DWORD D3DCAPS2_NO2DDURING3DSCENE = 0x2;
inline constexpr DWORD D3DCAPS2_FULLSCREENGAMMA = 0x20000;
inline constexpr DWORD D3DPTEXTURECAPS_POW2 = 0x2;
inline constexpr DWORD D3DPTEXTURECAPS_ALPHA = 0x4;
inline constexpr DWORD D3DPTEXTURECAPS_SQUAREONLY = 0x20;
inline constexpr DWORD D3DCURSORCAPS_COLOR = 0x1;

inline constexpr UINT D3DADAPTER_DEFAULT = 0;

struct D3DDISPLAYMODE {
  UINT Width = 0;
  UINT Height = 0;
  UINT RefreshRate = 0;
  D3DFORMAT Format = D3DFMT_UNKNOWN;
};

struct D3DPRESENT_PARAMETERS {
  UINT BackBufferWidth = 0;
  UINT BackBufferHeight = 0;
  D3DFORMAT BackBufferFormat = D3DFMT_UNKNOWN;
  UINT BackBufferCount = 0;
  D3DMULTISAMPLE_TYPE MultiSampleType = D3DMULTISAMPLE_NONE;
  D3DSWAPEFFECT SwapEffect = D3DSWAPEFFECT_DISCARD;
  HWND hDeviceWindow = nullptr;
  BOOL Windowed = FALSE;
  BOOL EnableAutoDepthStencil = FALSE;
  D3DFORMAT AutoDepthStencilFormat = D3DFMT_UNKNOWN;
  DWORD Flags = 0;
  UINT FullScreen_RefreshRateInHz = 0;
  UINT FullScreen_PresentationInterval = 0;
};

struct D3DDEVICE_CREATION_PARAMETERS {
  UINT AdapterOrdinal = 0;
  D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
  HWND hFocusWindow = nullptr;
  DWORD BehaviorFlags = 0;
};

// The capabilities our code reads; the software device reports the rest as absent.
struct D3DCAPS8 {
  D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
  UINT AdapterOrdinal = 0;
  DWORD Caps = 0;
  DWORD Caps2 = 0;
  DWORD Caps3 = 0;
  DWORD PresentationIntervals = 0;
  DWORD CursorCaps = 0;
  DWORD DevCaps = 0;
  DWORD TextureCaps = 0;
  DWORD MaxTextureWidth = 0;
  DWORD MaxTextureHeight = 0;
};

struct D3DSURFACE_DESC {
  D3DFORMAT Format = D3DFMT_UNKNOWN;
  D3DRESOURCETYPE Type = D3DRTYPE_SURFACE;
  DWORD Usage = 0;
  D3DPOOL Pool = D3DPOOL_DEFAULT;
  UINT Size = 0;  // bytes of pixel storage
  D3DMULTISAMPLE_TYPE MultiSampleType = D3DMULTISAMPLE_NONE;
  UINT Width = 0;
  UINT Height = 0;
};

struct D3DLOCKED_RECT {
  INT Pitch = 0;
  void* pBits = nullptr;
};

// Three runs of 256 entries, 0 (black) to 65535 (full).
struct D3DGAMMARAMP {
  WORD red[256];
  WORD green[256];
  WORD blue[256];
};

// Result codes, written as their unsigned hexadecimal values.
using plat::win::E_FAIL;
using plat::win::E_INVALIDARG;
using plat::win::E_NOTIMPL;
using plat::win::E_OUTOFMEMORY;
using plat::win::FAILED;
using plat::win::S_OK;
using plat::win::SUCCEEDED;
inline constexpr HRESULT D3D_OK = 0;
inline constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = plat::win::MakeHResult(0x8876017Cu);
inline constexpr HRESULT D3DERR_WASSTILLDRAWING = plat::win::MakeHResult(0x8876021Cu);
inline constexpr HRESULT D3DERR_DEVICELOST = plat::win::MakeHResult(0x88760868u);
inline constexpr HRESULT D3DERR_DEVICENOTRESET = plat::win::MakeHResult(0x88760869u);
inline constexpr HRESULT D3DERR_NOTAVAILABLE = plat::win::MakeHResult(0x8876086Au);
inline constexpr HRESULT D3DERR_INVALIDCALL = plat::win::MakeHResult(0x8876086Cu);

}  // namespace plat::d3d8
