// Direct3D 8 in software: the entry call and every interface of the stand-in.
#pragma once

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/IDirect3D8.h"
#include "platform/d3d8/IDirect3DDevice8.h"
#include "platform/d3d8/IDirect3DSurface8.h"
#include "platform/d3d8/IDirect3DTexture8.h"

namespace plat::d3d8 {

inline constexpr UINT D3D_SDK_VERSION = 220;

// The Direct3D object, or null when the SDK version differs or the adapter profile says Direct3D is
// unavailable.
IDirect3D8* Direct3DCreate8(UINT sdkVersion);

}  // namespace plat::d3d8
