// A surface: a rectangle of pixels in one format, on its own or one level of a texture.
#pragma once

#include "platform/d3d8/D3D8Types.h"

namespace plat::d3d8 {

class IDirect3DDevice8;

// Reference counted: Release, never delete. A texture's level shares the texture's count.
class IDirect3DSurface8 {
public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  // The device that made the surface, with a reference added.
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
  // The pixels of rect (all of the surface when null). A rectangle must lie inside the surface and be
  // non-empty, and a surface locks once at a time; anything else is D3DERR_INVALIDCALL. Pixels
  // written through a lock are stored as written: colour keys apply only to the D3DX loads.
  virtual HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect() = 0;

protected:
  virtual ~IDirect3DSurface8() = default;
};

}  // namespace plat::d3d8
