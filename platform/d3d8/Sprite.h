// The sprite object: draws texture rectangles onto its device's back buffer, scaled and blended.
#pragma once

#include "platform/d3d8/ID3DXSprite.h"

namespace plat::d3d8 {

class Device;

class Sprite final : public ID3DXSprite {
public:
  explicit Sprite(Device* device);
  ~Sprite() override;

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetDevice(IDirect3DDevice8** device) override;
  HRESULT Begin() override;
  HRESULT End() override;
  HRESULT Draw(IDirect3DTexture8* texture, const RECT* sourceRect, const D3DXVECTOR2* scaling,
               const D3DXVECTOR2* rotationCenter, float rotation, const D3DXVECTOR2* translation,
               D3DCOLOR color) override;

private:
  Device* m_device;
  ULONG m_references = 1;
  bool m_begun = false;
};

}  // namespace plat::d3d8
