// The utility library calls: texture and sprite creation, and the loads, all through one load routine.
#include "platform/d3d8/D3DX8.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/d3d8/AdapterProfile.h"
#include "platform/d3d8/Bitmap.h"
#include "platform/d3d8/Device.h"
#include "platform/d3d8/Load.h"
#include "platform/d3d8/PixelCodec.h"
#include "platform/d3d8/Sprite.h"
#include "platform/d3d8/Surface.h"
#include "platform/win/kernel/Path.h"

namespace plat::d3d8 {

namespace {

UINT RoundUpToPowerOfTwo(UINT value) {
  UINT p = 1;
  while (p < value && p < 0x80000000u) p <<= 1;
  return p;
}

// The destination surface and rectangle of a load, checked as the runtime checks them.
HRESULT Destination(IDirect3DSurface8* destination, const RECT* destRect, Surface*& surface, RECT& area) {
  surface = ToSurface(destination);
  if (!surface) return D3DERR_INVALIDCALL;
  Image& image = surface->GetImage();
  if (image.locked || image.Size() == 0) return D3DERR_INVALIDCALL;
  area = destRect ? *destRect : RECT{0, 0, image.Width(), image.Height()};
  return RectInside(area, image.Width(), image.Height()) ? D3D_OK : D3DERR_INVALIDCALL;
}

bool KnownFilter(DWORD filter) {
  // Only the point filters are made; every caller asks for none.
  const DWORD kind = filter & 0xFFFF;
  return filter == D3DX_DEFAULT || kind == D3DX_FILTER_NONE || kind == D3DX_FILTER_POINT;
}

HRESULT LoadFromBitmap(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette, const RECT* destRect,
                       const uint8_t* data, size_t size, const RECT* sourceRect, DWORD filter,
                       D3DCOLOR colorKey, D3DXIMAGE_INFO* info) {
  Surface* surface;
  RECT area;
  const HRESULT checked = Destination(destination, destRect, surface, area);
  if (FAILED(checked)) return checked;
  if (!KnownFilter(filter)) return D3DERR_INVALIDCALL;
  Bitmap bitmap;
  if (!ReadBitmap(data, size, bitmap, true)) return D3DXERR_INVALIDDATA;
  const RECT whole{0, 0, bitmap.width, bitmap.height};
  const RECT from = sourceRect ? *sourceRect : whole;
  if (!RectInside(from, bitmap.width, bitmap.height)) return D3DERR_INVALIDCALL;
  PixelSource source;
  source.bits = reinterpret_cast<const uint8_t*>(bitmap.pixels.data());
  source.pitch = bitmap.width * 4;
  source.format = D3DFMT_A8R8G8B8;
  LoadRect(surface->GetImage(), destPalette, area, source, from, colorKey);
  if (info)
    *info = D3DXIMAGE_INFO{UINT(bitmap.width), UINT(bitmap.height), 1,          1,
                           bitmap.format,      D3DRTYPE_TEXTURE,    D3DXIFF_BMP};
  return D3D_OK;
}

HRESULT ReadFile(const char* file, std::vector<uint8_t>& bytes) {
  std::string path;
  if (!file || !plat::win::ToLinuxPath(file, path)) return D3DERR_NOTAVAILABLE;
  std::ifstream in(path, std::ios::binary);
  if (!in) return D3DERR_NOTAVAILABLE;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? D3DERR_NOTAVAILABLE : D3D_OK;
}

}  // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture) {
  if (!device || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (width == D3DX_DEFAULT || width == 0) width = 256;
  if (height == D3DX_DEFAULT || height == 0) height = 256;
  D3DCAPS8 caps;
  const HRESULT got = device->GetDeviceCaps(&caps);
  if (FAILED(got)) return got;
  if (caps.TextureCaps & D3DPTEXTURECAPS_POW2) {
    width = RoundUpToPowerOfTwo(width);
    height = RoundUpToPowerOfTwo(height);
  }
  if (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) width = height = width > height ? width : height;
  if (caps.MaxTextureWidth && width > caps.MaxTextureWidth) width = caps.MaxTextureWidth;
  if (caps.MaxTextureHeight && height > caps.MaxTextureHeight) height = caps.MaxTextureHeight;
  // The one level is all the callers ask for; a request for a chain gets that level alone.
  (void)mipLevels;
  return device->CreateTexture(width, height, 1, usage, format, pool, texture);
}

HRESULT D3DXCreateSprite(IDirect3DDevice8* device, ID3DXSprite** sprite) {
  if (!sprite) return D3DERR_INVALIDCALL;
  *sprite = nullptr;
  auto* ours = dynamic_cast<Device*>(device);
  if (!ours) return D3DERR_INVALIDCALL;
  const HRESULT refused = GetAdapterProfile().createSpriteResult;
  if (FAILED(refused)) return refused;
  *sprite = new Sprite(ours);
  return D3D_OK;
}

HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                  const RECT* destRect, const void* source, D3DFORMAT sourceFormat,
                                  UINT sourcePitch, const PALETTEENTRY* sourcePalette, const RECT* sourceRect,
                                  DWORD filter, D3DCOLOR colorKey) {
  Surface* surface;
  RECT area;
  const HRESULT checked = Destination(destination, destRect, surface, area);
  if (FAILED(checked)) return checked;
  const FormatInfo* format = FindFormat(sourceFormat);
  // Memory has no size of its own: the source rectangle is required, and its rows must fit the pitch.
  if (!source || !format || !sourceRect || !KnownFilter(filter)) return D3DERR_INVALIDCALL;
  const RECT& r = *sourceRect;
  if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom ||
      static_cast<uint64_t>(r.right) * format->bytes > sourcePitch) {
    return D3DERR_INVALIDCALL;
  }
  PixelSource pixels;
  pixels.bits = static_cast<const uint8_t*>(source);
  pixels.pitch = static_cast<int>(sourcePitch);
  pixels.format = sourceFormat;
  pixels.palette = sourcePalette;
  LoadRect(surface->GetImage(), destPalette, area, pixels, r, colorKey);
  return D3D_OK;
}

HRESULT D3DXLoadSurfaceFromSurface(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                   const RECT* destRect, IDirect3DSurface8* source,
                                   const PALETTEENTRY* sourcePalette, const RECT* sourceRect, DWORD filter,
                                   D3DCOLOR colorKey) {
  Surface* surface;
  RECT area;
  const HRESULT checked = Destination(destination, destRect, surface, area);
  if (FAILED(checked)) return checked;
  Surface* from = ToSurface(source);
  if (!from || !KnownFilter(filter)) return D3DERR_INVALIDCALL;
  const Image& in = from->GetImage();
  if (in.locked || in.Size() == 0) return D3DERR_INVALIDCALL;
  const RECT r = sourceRect ? *sourceRect : RECT{0, 0, in.Width(), in.Height()};
  if (!RectInside(r, in.Width(), in.Height())) return D3DERR_INVALIDCALL;
  PixelSource pixels;
  pixels.bits = in.Row(0);
  pixels.pitch = in.Pitch();
  pixels.format = in.Format();
  pixels.palette = sourcePalette;
  if (in.HasMarks()) {
    pixels.marks = in.MarkRow(0);
    pixels.marksPitch = in.Width();
  }
  // A load within one surface reads a copy, so that what it writes is never read again.
  std::vector<uint8_t> bits, marks;
  if (from == surface) {
    bits.assign(in.Row(0), in.Row(0) + in.Size());
    pixels.bits = bits.data();
    if (in.HasMarks()) {
      marks.assign(in.MarkRow(0), in.MarkRow(0) + static_cast<size_t>(in.Width()) * in.Height());
      pixels.marks = marks.data();
    }
  }
  LoadRect(surface->GetImage(), destPalette, area, pixels, r, colorKey);
  return D3D_OK;
}

HRESULT D3DXGetImageInfoFromFile(const char* file, D3DXIMAGE_INFO* info) {
  std::vector<uint8_t> bytes;
  const HRESULT read = ReadFile(file, bytes);
  if (FAILED(read)) return read;
  return D3DXGetImageInfoFromFileInMemory(bytes.data(), static_cast<UINT>(bytes.size()), info);
}

HRESULT D3DXGetImageInfoFromFileInMemory(const void* data, UINT size, D3DXIMAGE_INFO* info) {
  if (!data || !info) return D3DERR_INVALIDCALL;
  Bitmap bitmap;
  if (!ReadBitmap(static_cast<const uint8_t*>(data), size, bitmap, false)) return D3DXERR_INVALIDDATA;
  *info = D3DXIMAGE_INFO{UINT(bitmap.width), UINT(bitmap.height), 1,          1,
                         bitmap.format,      D3DRTYPE_TEXTURE,    D3DXIFF_BMP};
  return D3D_OK;
}

HRESULT D3DXLoadSurfaceFromFile(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                const RECT* destRect, const char* file, const RECT* sourceRect, DWORD filter,
                                D3DCOLOR colorKey, D3DXIMAGE_INFO* info) {
  std::vector<uint8_t> bytes;
  const HRESULT read = ReadFile(file, bytes);
  if (FAILED(read)) return read;
  return LoadFromBitmap(destination, destPalette, destRect, bytes.data(), bytes.size(), sourceRect, filter,
                        colorKey, info);
}

HRESULT D3DXLoadSurfaceFromFileInMemory(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                        const RECT* destRect, const void* data, UINT size,
                                        const RECT* sourceRect, DWORD filter, D3DCOLOR colorKey,
                                        D3DXIMAGE_INFO* info) {
  if (!data) return D3DERR_INVALIDCALL;
  return LoadFromBitmap(destination, destPalette, destRect, static_cast<const uint8_t*>(data), size,
                        sourceRect, filter, colorKey, info);
}

}  // namespace plat::d3d8
