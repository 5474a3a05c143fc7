// The software texture: one level, a surface that shares the texture's reference count.
#pragma once

#include "platform/d3d8/IDirect3DTexture8.h"
#include "platform/d3d8/Surface.h"

namespace plat::d3d8 {

class Device;

class Texture final : public IDirect3DTexture8 {
public:
  // Starts with one reference and holds one on the device.
  Texture(Device* device, D3DPOOL pool, DWORD usage);
  ~Texture() override;

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetDevice(IDirect3DDevice8** device) override;
  DWORD GetLevelCount() override;
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  Surface& Level() { return m_level; }

private:
  Device* m_device;
  ULONG m_references = 1;
  Surface m_level;
};

Texture* ToTexture(IDirect3DTexture8* texture);

}  // namespace plat::d3d8
