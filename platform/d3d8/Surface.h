// The software surface: an image surface, a texture's level, or the device's back buffer.
#pragma once

#include "platform/d3d8/IDirect3DSurface8.h"
#include "platform/d3d8/Image.h"

namespace plat::d3d8 {

class Device;
class Texture;

class Surface final : public IDirect3DSurface8 {
public:
  enum class Owner { kSelf, kTexture, kDevice };

  // kSelf: starts with one reference and holds one on the device. kTexture: shares the texture's
  // count. kDevice (the back buffer): the device owns it; while anyone holds it, it holds the device.
  Surface(Device* device, Owner owner, Texture* container, D3DPOOL pool, DWORD usage);
  ~Surface() override;

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetDevice(IDirect3DDevice8** device) override;
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect() override;

  Image& GetImage() { return m_image; }
  Device* GetOwnerDevice() const { return m_device; }
  // References held from outside (the back buffer's count; the device's Reset checks it).
  ULONG References() const { return m_references; }

private:
  Device* m_device;
  Owner m_owner;
  Texture* m_container;
  D3DPOOL m_pool;
  DWORD m_usage;
  ULONG m_references;
  Image m_image;
};

// Our surface behind an interface, or null for anything else.
Surface* ToSurface(IDirect3DSurface8* surface);

}  // namespace plat::d3d8
