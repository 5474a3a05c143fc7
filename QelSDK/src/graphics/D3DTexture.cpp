// The Direct3D texture: a drawing surface over one managed-pool texture, which the sprite object
// draws onto the back buffer.
#include "graphics/D3DTexture.h"

#include <typeinfo>

#include "graphics/D3DBackBuffer.h"
#include "graphics/D3DFormats.h"
#include "graphics/D3DRects.h"
#include "graphics/D3DSurface.h"
#include "graphics/SurfaceOps.h"

namespace d3d = plat::d3d8;

namespace Qel {
namespace {

constexpr int kNoSurface = 1;

// Level 0 stands in for the texture as the source, keyed as the texture is, and a missing source
// rectangle is the image rather than its storage.
int FromTexture(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                const Rect* destinationRect, bool blit) {
  const auto& texture = static_cast<const D3DTexture&>(*source);
  d3d::IDirect3DSurface8* level = texture.GetLevelSurface();
  if (!level) return kNoSurface;
  D3DSurface from(level);
  from.SetColorKey(texture.GetColorKey());
  const Rect whole(0, 0, texture.GetWidth(), texture.GetHeight());
  const Rect* area = sourceRect ? sourceRect : &whole;
  const auto run = [&](const D3DSurface& to, const Rect* toRect) {
    return blit ? D3DSurface::BlitSurface(from, to, area, toRect)
                : D3DSurface::CopySurface(from, to, area, toRect);
  };
  if (auto* onto = dynamic_cast<const D3DTexture*>(destination)) {
    d3d::IDirect3DSurface8* targetLevel = onto->GetLevelSurface();
    if (!targetLevel) return kNoSurface;
    const D3DSurface to(targetLevel);
    const Rect targetWhole(0, 0, onto->GetWidth(), onto->GetHeight());
    return run(to, destinationRect ? destinationRect : &targetWhole);
  }
  return run(static_cast<const D3DSurface&>(*destination), destinationRect);
}

int32_t CopyOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return FromTexture(s, d, sr, dr, false);
}
int32_t BlitOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return FromTexture(s, d, sr, dr, true);
}
int32_t BlitToBackBufferOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return static_cast<D3DBackBuffer&>(*d).DrawTexture(static_cast<const D3DTexture&>(*s), sr, dr);
}

}  // namespace

D3DTexture::D3DTexture(d3d::IDirect3DTexture8* texture, int width, int height)
    : m_texture(texture),
      m_width(width),
      m_height(height),
      m_colorKey(Color::TransparentBlack(kPixelFormatA8R8G8B8)) {}

D3DTexture::~D3DTexture() {
  if (m_texture) m_texture->Release();
  m_texture = nullptr;
}

void D3DTexture::RegisterSurfaceOps() {
  const char* texture = typeid(D3DTexture).name();
  const char* surface = typeid(D3DSurface).name();
  RegisterCopyOp(texture, surface, CopyOp);
  RegisterCopyOp(texture, texture, CopyOp);
  RegisterBlitOp(texture, surface, BlitOp);
  RegisterBlitOp(texture, texture, BlitOp);
  RegisterBlitOp(texture, typeid(D3DBackBuffer).name(), BlitToBackBufferOp);
}

void D3DTexture::UnregisterSurfaceOps() {
  const char* texture = typeid(D3DTexture).name();
  const char* surface = typeid(D3DSurface).name();
  UnregisterCopyOp(texture, surface);
  UnregisterCopyOp(texture, texture);
  UnregisterBlitOp(texture, surface);
  UnregisterBlitOp(texture, texture);
  UnregisterBlitOp(texture, typeid(D3DBackBuffer).name());
}

d3d::IDirect3DSurface8* D3DTexture::GetLevelSurface() const {
  d3d::IDirect3DSurface8* level = nullptr;
  if (!m_texture || d3d::FAILED(m_texture->GetSurfaceLevel(0, &level))) return nullptr;
  return level;
}

void D3DTexture::SetD3DTexture(d3d::IDirect3DTexture8* texture, int width, int height) {
  if (m_texture) m_texture->Release();
  m_texture = texture;
  if (texture) {
    m_width = width;
    m_height = height;
  }
}

void D3DTexture::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(DrawingSurface).name());
}

int D3DTexture::GetStorageWidth() const {
  d3d::D3DSURFACE_DESC desc;
  return m_texture && d3d::SUCCEEDED(m_texture->GetLevelDesc(0, &desc)) ? static_cast<int>(desc.Width) : 0;
}

int D3DTexture::GetStorageHeight() const {
  d3d::D3DSURFACE_DESC desc;
  return m_texture && d3d::SUCCEEDED(m_texture->GetLevelDesc(0, &desc)) ? static_cast<int>(desc.Height) : 0;
}

void D3DTexture::GetPixelFormat(PixelFormat& format) const {
  d3d::D3DSURFACE_DESC desc;
  format = m_texture && d3d::SUCCEEDED(m_texture->GetLevelDesc(0, &desc))
               ? PixelFormatFromD3DFormat(desc.Format)
               : kPixelFormatNone;
}

int D3DTexture::SetColorKey(const Color& key) {
  m_colorKey = key;
  return 0;
}

void D3DTexture::GetColorKey(Color& key) const {
  key = m_colorKey;
}

uint8_t* D3DTexture::LockBits(const Rect* area, int& pitch, uint32_t flags) {
  return LockLevel(area, pitch, flags);
}

int D3DTexture::UnlockBits() {
  if (m_texture) m_texture->UnlockRect(0);
  return 0;
}

uint8_t* D3DTexture::LockLevel(const Rect* area, int& pitch, uint32_t flags) {
  pitch = 0;
  if (!m_texture) return nullptr;
  d3d::D3DLOCKED_RECT locked;
  const d3d::RECT rect = area ? ToD3DRect(*area) : d3d::RECT{};
  if (d3d::FAILED(m_texture->LockRect(0, &locked, area ? &rect : nullptr, D3DLockFlags(flags))))
    return nullptr;
  pitch = locked.Pitch;
  return static_cast<uint8_t*>(locked.pBits);
}

}  // namespace Qel
