// The Direct3D image surface: a drawing surface over one system-memory Direct3D surface, and the
// copies and blits between such surfaces, textures and the back buffer.
#include "graphics/D3DSurface.h"

#include <typeinfo>

#include "graphics/D3DBackBuffer.h"
#include "graphics/D3DFormats.h"
#include "graphics/D3DRects.h"
#include "graphics/D3DTexture.h"
#include "graphics/SurfaceOps.h"
#include "platform/d3d8/D3DX8.h"
#include "platform/d3d8/IDirect3DDevice8.h"

namespace d3d = plat::d3d8;

namespace Qel {
namespace {

constexpr int kNoSurface = 1;
constexpr int kNoDevice = 102;
constexpr int kRefused = -1;

// The area a rectangle names on a surface: the rectangle's own size, else the whole surface.
bool SameArea(const Rect* sourceRect, const DrawingSurface& source, const Rect* destinationRect,
              const DrawingSurface& destination) {
  const int sourceWidth = sourceRect ? sourceRect->Width() : source.GetWidth();
  const int sourceHeight = sourceRect ? sourceRect->Height() : source.GetHeight();
  const int destinationWidth = destinationRect ? destinationRect->Width() : destination.GetWidth();
  const int destinationHeight = destinationRect ? destinationRect->Height() : destination.GetHeight();
  return sourceWidth == destinationWidth && sourceHeight == destinationHeight;
}

int Transfer(const D3DSurface& source, const D3DSurface& destination, const Rect* sourceRect,
             const Rect* destinationRect, bool blit) {
  d3d::IDirect3DSurface8* from = source.GetD3DSurface();
  d3d::IDirect3DSurface8* to = destination.GetD3DSurface();
  if (!from || !to) return kNoSurface;
  const bool keyed = blit && source.HasColorKey();
  const d3d::RECT sourceArea = sourceRect ? ToD3DRect(*sourceRect) : d3d::RECT{};
  if (!keyed && source.GetPixelFormat() == destination.GetPixelFormat() &&
      SameArea(sourceRect, source, destinationRect, destination)) {
    d3d::IDirect3DDevice8* device = nullptr;
    if (d3d::FAILED(from->GetDevice(&device))) return kNoSurface;
    if (!device) return kNoDevice;
    const d3d::POINT corner =
        destinationRect ? d3d::POINT{destinationRect->Left(), destinationRect->Top()} : d3d::POINT{0, 0};
    const d3d::HRESULT copied =
        device->CopyRects(from, sourceRect ? &sourceArea : nullptr, sourceRect ? 1 : 0, to, &corner);
    device->Release();
    return d3d::SUCCEEDED(copied) ? 0 : kRefused;
  }
  const d3d::RECT destinationArea = destinationRect ? ToD3DRect(*destinationRect) : d3d::RECT{};
  const d3d::HRESULT loaded =
      d3d::D3DXLoadSurfaceFromSurface(to, nullptr, destinationRect ? &destinationArea : nullptr, from,
                                      nullptr, sourceRect ? &sourceArea : nullptr, d3d::D3DX_FILTER_NONE,
                                      keyed ? PackD3DColorKey(source.GetColorKey()) : 0);
  return d3d::SUCCEEDED(loaded) ? 0 : kRefused;
}

int SurfaceToTexture(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                     const Rect* destinationRect, bool blit) {
  const auto& texture = static_cast<const D3DTexture&>(*destination);
  d3d::IDirect3DSurface8* level = texture.GetLevelSurface();
  if (!level) return kNoSurface;
  const D3DSurface target(level);
  const Rect whole(0, 0, texture.GetWidth(), texture.GetHeight());
  return Transfer(static_cast<const D3DSurface&>(*source), target, sourceRect,
                  destinationRect ? destinationRect : &whole, blit);
}

int32_t CopySurfaceOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return D3DSurface::CopySurface(static_cast<D3DSurface&>(*s), static_cast<D3DSurface&>(*d), sr, dr);
}
int32_t BlitSurfaceOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return D3DSurface::BlitSurface(static_cast<D3DSurface&>(*s), static_cast<D3DSurface&>(*d), sr, dr);
}
int32_t CopySurfaceToTextureOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return SurfaceToTexture(s, d, sr, dr, false);
}
int32_t BlitSurfaceToTextureOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return SurfaceToTexture(s, d, sr, dr, true);
}
int32_t BlitSurfaceToBackBufferOp(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return static_cast<D3DBackBuffer&>(*d).DrawSurface(static_cast<D3DSurface&>(*s), sr, dr);
}

}  // namespace

uint32_t D3DLockFlags(uint32_t flags) {
  const bool readOnly = (flags & DrawingSurface::kLockRead) && !(flags & DrawingSurface::kLockWrite);
  return readOnly ? d3d::D3DLOCK_READONLY : 0;
}

uint32_t PackD3DColorKey(const Color& key) {
  Color packed;
  return key.ConvertTo(packed, kPixelFormatA8R8G8B8).GetPacked();
}

D3DSurface::D3DSurface(d3d::IDirect3DSurface8* surface)
    : m_surface(surface), m_colorKey(Color::TransparentBlack(kPixelFormatA8R8G8B8)) {}

D3DSurface::~D3DSurface() {
  if (m_surface) m_surface->Release();
  m_surface = nullptr;
}

void D3DSurface::SetD3DSurface(d3d::IDirect3DSurface8* surface) {
  if (m_surface) m_surface->Release();
  m_surface = surface;
}

void D3DSurface::RegisterSurfaceOps() {
  const char* surface = typeid(D3DSurface).name();
  const char* texture = typeid(D3DTexture).name();
  RegisterCopyOp(surface, surface, CopySurfaceOp);
  RegisterCopyOp(surface, texture, CopySurfaceToTextureOp);
  RegisterBlitOp(surface, surface, BlitSurfaceOp);
  RegisterBlitOp(surface, texture, BlitSurfaceToTextureOp);
  RegisterBlitOp(surface, typeid(D3DBackBuffer).name(), BlitSurfaceToBackBufferOp);
}

void D3DSurface::UnregisterSurfaceOps() {
  const char* surface = typeid(D3DSurface).name();
  const char* texture = typeid(D3DTexture).name();
  UnregisterCopyOp(surface, surface);
  UnregisterCopyOp(surface, texture);
  UnregisterBlitOp(surface, surface);
  UnregisterBlitOp(surface, texture);
  UnregisterBlitOp(surface, typeid(D3DBackBuffer).name());
}

int D3DSurface::CopySurface(const D3DSurface& source, const D3DSurface& destination, const Rect* sourceRect,
                            const Rect* destinationRect) {
  return Transfer(source, destination, sourceRect, destinationRect, false);
}

int D3DSurface::BlitSurface(const D3DSurface& source, const D3DSurface& destination, const Rect* sourceRect,
                            const Rect* destinationRect) {
  return Transfer(source, destination, sourceRect, destinationRect, true);
}

void D3DSurface::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(DrawingSurface).name());
}

int D3DSurface::GetWidth() const {
  d3d::D3DSURFACE_DESC desc;
  return m_surface && d3d::SUCCEEDED(m_surface->GetDesc(&desc)) ? static_cast<int>(desc.Width) : 0;
}

int D3DSurface::GetHeight() const {
  d3d::D3DSURFACE_DESC desc;
  return m_surface && d3d::SUCCEEDED(m_surface->GetDesc(&desc)) ? static_cast<int>(desc.Height) : 0;
}

void D3DSurface::GetPixelFormat(PixelFormat& format) const {
  d3d::D3DSURFACE_DESC desc;
  format = m_surface && d3d::SUCCEEDED(m_surface->GetDesc(&desc)) ? PixelFormatFromD3DFormat(desc.Format)
                                                                  : kPixelFormatNone;
}

int D3DSurface::SetColorKey(const Color& key) {
  m_colorKey = key;
  return 0;
}

void D3DSurface::GetColorKey(Color& key) const {
  key = m_colorKey;
}

uint8_t* D3DSurface::LockBits(const Rect* area, int& pitch, uint32_t flags) {
  pitch = 0;
  if (!m_surface) return nullptr;
  d3d::D3DLOCKED_RECT locked;
  const d3d::RECT rect = area ? ToD3DRect(*area) : d3d::RECT{};
  if (d3d::FAILED(m_surface->LockRect(&locked, area ? &rect : nullptr, D3DLockFlags(flags)))) return nullptr;
  pitch = locked.Pitch;
  return static_cast<uint8_t*>(locked.pBits);
}

int D3DSurface::UnlockBits() {
  return m_surface ? m_surface->UnlockRect() : 0;
}

}  // namespace Qel
