// Textures of one level.
#include "platform/d3d8/Texture.h"

#include "platform/d3d8/Device.h"

namespace plat::d3d8 {

Texture::Texture(Device* device, D3DPOOL pool, DWORD usage)
    : m_device(device), m_level(device, Surface::Owner::kTexture, this, pool, usage) {
  m_device->AddRef();
}

Texture::~Texture() {
  m_level.GetImage().Free();
  m_device->Release();
}

ULONG Texture::AddRef() {
  return ++m_references;
}

ULONG Texture::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT Texture::GetDevice(IDirect3DDevice8** device) {
  return m_level.GetDevice(device);
}

DWORD Texture::GetLevelCount() {
  return 1;
}

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level != 0) return D3DERR_INVALIDCALL;
  return m_level.GetDesc(desc);
}

HRESULT Texture::GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) {
  if (level != 0 || !surface) return D3DERR_INVALIDCALL;
  m_level.AddRef();
  *surface = &m_level;
  return D3D_OK;
}

HRESULT Texture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  if (level != 0) return D3DERR_INVALIDCALL;
  return m_level.LockRect(locked, rect, flags);
}

HRESULT Texture::UnlockRect(UINT level) {
  if (level != 0) return D3DERR_INVALIDCALL;
  return m_level.UnlockRect();
}

Texture* ToTexture(IDirect3DTexture8* texture) {
  return dynamic_cast<Texture*>(texture);
}

}  // namespace plat::d3d8
