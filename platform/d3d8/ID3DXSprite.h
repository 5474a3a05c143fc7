// The utility library's sprite object: draws textures onto the device's back buffer.
#pragma once

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/IDirect3DDevice8.h"
#include "platform/d3d8/IDirect3DTexture8.h"

namespace plat::d3d8 {

struct D3DXVECTOR2 {
  float x;
  float y;
};

// Reference counted: Release, never delete.
class ID3DXSprite {
public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual HRESULT GetDevice(IDirect3DDevice8** device) = 0;
  // Begin and End bracket a batch; draws apply at once and in call order, batched or not.
  virtual HRESULT Begin() = 0;
  virtual HRESULT End() = 0;
  // Draws sourceRect of the texture (all of it when null; outside the texture is D3DERR_INVALIDCALL)
  // onto the back buffer, scaled (nearest pixel), its top-left corner at translation (rounded to the
  // nearest pixel), clipped to the back buffer. Sources with alpha blend as
  // (s·a + d·(255−a) + 127) / 255 per channel, alpha 0 skipped and 255 stored; keyed pixels of
  // formats without alpha are skipped. Only rotation 0 and colour 0xFFFFFFFF are drawn (others are
  // E_NOTIMPL).
  virtual HRESULT Draw(IDirect3DTexture8* texture, const RECT* sourceRect, const D3DXVECTOR2* scaling,
                       const D3DXVECTOR2* rotationCenter, float rotation, const D3DXVECTOR2* translation,
                       D3DCOLOR color) = 0;

protected:
  virtual ~ID3DXSprite() = default;
};

}  // namespace plat::d3d8
