// The test seam of the software adapter: what it reports and which of its calls fail.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/d3d8/D3D8Types.h"

namespace plat::d3d8 {

// One process-wide profile, read at each call, so a test may change it at any time. The default
// passes every start-up check a game makes of its adapter.
struct AdapterProfile {
  // Direct3DCreate8 gives null.
  bool unavailable = false;
  // The desktop mode: 32-bit X8R8G8B8 whatever SDL's driver reports, so that a windowed device runs
  // on the same format everywhere.
  D3DDISPLAYMODE desktopMode{1024, 768, 60, D3DFMT_X8R8G8B8};
  // Formats that CheckDeviceFormat refuses (D3DERR_NOTAVAILABLE), whatever the resource type.
  std::vector<D3DFORMAT> unsupportedFormats;
  // What GetDeviceCaps reports: a hardware device with full-screen gamma, 2-D during a scene, alpha
  // textures of any shape up to 4096 × 4096, and a colour cursor.
  D3DCAPS8 caps{D3DDEVTYPE_HAL,        0,    0,   D3DCAPS2_FULLSCREENGAMMA, 0, 0, D3DCURSORCAPS_COLOR, 0,
                D3DPTEXTURECAPS_ALPHA, 4096, 4096};
  // A failure GetDeviceCaps gives instead (both the object's and the device's).
  HRESULT getCapsResult = D3D_OK;
  // A failure CreateDevice gives instead (e.g. D3DERR_NOTAVAILABLE, D3DERR_OUTOFVIDEOMEMORY).
  HRESULT createDeviceResult = D3D_OK;
  // A failure Reset gives instead, and one D3DXCreateSprite gives (to fail a back-buffer rebuild).
  HRESULT resetResult = D3D_OK;
  HRESULT createSpriteResult = D3D_OK;
  // Bytes of pixel storage all surfaces and textures together may hold (the back buffer included).
  std::size_t memoryBytes = std::size_t{1} << 30;
  // What TestCooperativeLevel answers: D3D_OK, D3DERR_DEVICELOST or D3DERR_DEVICENOTRESET. A
  // successful Reset sets it back to D3D_OK.
  HRESULT cooperativeLevel = D3D_OK;
};

// The live profile.
AdapterProfile& GetAdapterProfile();
// Back to the defaults.
void ResetAdapterProfile();

// The device is lost: frames cannot be shown and Reset fails until the device is ready for reset.
inline void MakeDeviceLost() {
  GetAdapterProfile().cooperativeLevel = D3DERR_DEVICELOST;
}
// The device may now be reset.
inline void MakeDeviceReadyForReset() {
  GetAdapterProfile().cooperativeLevel = D3DERR_DEVICENOTRESET;
}

// What the stand-in has done, for tests: presents shown, resets made, bytes of pixel storage held.
struct AdapterCounters {
  unsigned presents = 0;
  unsigned resets = 0;
  std::size_t bytesHeld = 0;
};
const AdapterCounters& GetAdapterCounters();

}  // namespace plat::d3d8
