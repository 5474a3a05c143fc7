// A texture: one level of pixels that the sprite object draws.
#pragma once

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/IDirect3DSurface8.h"

namespace plat::d3d8 {

class IDirect3DDevice8;

// Reference counted: Release, never delete. Textures are made with one level only.
class IDirect3DTexture8 {
public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual DWORD GetLevelCount() = 0;
  virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
  // The level as a surface, with a reference added (to the texture's own count).
  virtual HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) = 0;
  // As IDirect3DSurface8::LockRect on the level.
  virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect(UINT level) = 0;

protected:
  virtual ~IDirect3DTexture8() = default;
};

}  // namespace plat::d3d8
