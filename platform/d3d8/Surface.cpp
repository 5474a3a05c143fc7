// Surfaces: reference counts by owner, descriptions and locks.
#include "platform/d3d8/Surface.h"

#include "platform/d3d8/Device.h"
#include "platform/d3d8/Texture.h"

namespace plat::d3d8 {

Surface::Surface(Device* device, Owner owner, Texture* container, D3DPOOL pool, DWORD usage)
    : m_device(device),
      m_owner(owner),
      m_container(container),
      m_pool(pool),
      m_usage(usage),
      m_references(owner == Owner::kSelf ? 1 : 0) {
  if (m_owner == Owner::kSelf) m_device->AddRef();
}

Surface::~Surface() {
  m_image.Free();
  if (m_owner == Owner::kSelf) m_device->Release();
}

ULONG Surface::AddRef() {
  switch (m_owner) {
    case Owner::kTexture:
      return m_container->AddRef();
    case Owner::kDevice:
      if (m_references++ == 0) m_device->AddRef();
      return m_references;
    case Owner::kSelf:
    default:
      return ++m_references;
  }
}

ULONG Surface::Release() {
  switch (m_owner) {
    case Owner::kTexture:
      return m_container->Release();
    case Owner::kDevice: {
      if (m_references == 0) return 0;
      const ULONG left = --m_references;
      if (left == 0) m_device->Release();  // may delete the device, and this surface with it
      return left;
    }
    case Owner::kSelf:
    default: {
      const ULONG left = --m_references;
      if (left == 0) delete this;
      return left;
    }
  }
}

HRESULT Surface::GetDevice(IDirect3DDevice8** device) {
  if (!device) return D3DERR_INVALIDCALL;
  m_device->AddRef();
  *device = m_device;
  return D3D_OK;
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  desc->Format = m_image.Format();
  desc->Type = D3DRTYPE_SURFACE;
  desc->Usage = m_usage;
  desc->Pool = m_pool;
  desc->Size = static_cast<UINT>(m_image.Size());
  desc->MultiSampleType = D3DMULTISAMPLE_NONE;
  desc->Width = static_cast<UINT>(m_image.Width());
  desc->Height = static_cast<UINT>(m_image.Height());
  return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD /*flags*/) {
  if (!locked || m_image.locked || m_image.Size() == 0) return D3DERR_INVALIDCALL;
  const RECT area = rect ? *rect : RECT{0, 0, m_image.Width(), m_image.Height()};
  if (!RectInside(area, m_image.Width(), m_image.Height())) return D3DERR_INVALIDCALL;
  m_image.locked = true;
  locked->Pitch = m_image.Pitch();
  locked->pBits = m_image.Row(area.top) + static_cast<size_t>(area.left) * m_image.BytesPerPixel();
  return D3D_OK;
}

HRESULT Surface::UnlockRect() {
  if (!m_image.locked) return D3DERR_INVALIDCALL;
  m_image.locked = false;
  return D3D_OK;
}

Surface* ToSurface(IDirect3DSurface8* surface) {
  return dynamic_cast<Surface*>(surface);
}

}  // namespace plat::d3d8
