// The utility library calls our code makes: textures, sprites, and loading surfaces from memory, from
// other surfaces and from image files.
#pragma once

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/ID3DXSprite.h"
#include "platform/d3d8/IDirect3DDevice8.h"
#include "platform/d3d8/IDirect3DSurface8.h"
#include "platform/d3d8/IDirect3DTexture8.h"

namespace plat::d3d8 {

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;  // the entry's alpha
};

using D3DXIMAGE_FILEFORMAT = DWORD;
inline constexpr D3DXIMAGE_FILEFORMAT D3DXIFF_BMP = 0;

struct D3DXIMAGE_INFO {
  UINT Width = 0;
  UINT Height = 0;
  UINT Depth = 0;
  UINT MipLevels = 0;
  D3DFORMAT Format = D3DFMT_UNKNOWN;
  D3DRESOURCETYPE ResourceType = D3DRTYPE_TEXTURE;
  D3DXIMAGE_FILEFORMAT ImageFileFormat = D3DXIFF_BMP;
};

inline constexpr DWORD D3DX_DEFAULT = 0xFFFFFFFFu;
inline constexpr DWORD D3DX_FILTER_NONE = 0x1;
inline constexpr DWORD D3DX_FILTER_POINT = 0x2;

// Data that is no image the loaders read.
inline constexpr HRESULT D3DXERR_INVALIDDATA = plat::win::MakeHResult(0x88760B59u);

// A one-level texture of the size asked (rounded up to powers of two, or made square, when the
// adapter profile's capabilities say so; clamped to its largest texture). D3DX_DEFAULT sizes are 256.
HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);

// The sprite object draws onto the device's back buffer.
HRESULT D3DXCreateSprite(IDirect3DDevice8* device, ID3DXSprite** sprite);

// The loaders convert each source pixel to the destination's format (channels widened by repeating
// their top bits, narrowed by keeping their top bits; a source without alpha is opaque), scaling to
// the destination rectangle by the nearest pixel when the sizes differ. A rectangle of null means the
// whole surface (or image; memory has no size of its own, so its source rectangle is required, and
// its right edge must fit the pitch); a rectangle outside its surface or empty is D3DERR_INVALIDCALL and
// nothing is written. colorKey is an A8R8G8B8 value (0 keys nothing): source pixels of that colour
// are loaded as transparent black; a destination without alpha keeps them transparent by marking
// them in the surface, so that the sprite draw and later loads skip them as alpha 0.
// A P8 side uses its palette, or without one the index as an opaque grey level.
HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                  const RECT* destRect, const void* source, D3DFORMAT sourceFormat,
                                  UINT sourcePitch, const PALETTEENTRY* sourcePalette, const RECT* sourceRect,
                                  DWORD filter, D3DCOLOR colorKey);
HRESULT D3DXLoadSurfaceFromSurface(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                   const RECT* destRect, IDirect3DSurface8* source,
                                   const PALETTEENTRY* sourcePalette, const RECT* sourceRect, DWORD filter,
                                   D3DCOLOR colorKey);

// Image files: uncompressed Windows bitmaps only (1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up
// or top-down). Anything else is D3DXERR_INVALIDDATA; a file that does not open is
// D3DERR_NOTAVAILABLE. File names are Windows paths (platform/win/kernel/Path.h).
HRESULT D3DXGetImageInfoFromFile(const char* file, D3DXIMAGE_INFO* info);
HRESULT D3DXGetImageInfoFromFileInMemory(const void* data, UINT size, D3DXIMAGE_INFO* info);
HRESULT D3DXLoadSurfaceFromFile(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                const RECT* destRect, const char* file, const RECT* sourceRect, DWORD filter,
                                D3DCOLOR colorKey, D3DXIMAGE_INFO* info);
HRESULT D3DXLoadSurfaceFromFileInMemory(IDirect3DSurface8* destination, const PALETTEENTRY* destPalette,
                                        const RECT* destRect, const void* data, UINT size,
                                        const RECT* sourceRect, DWORD filter, D3DCOLOR colorKey,
                                        D3DXIMAGE_INFO* info);

}  // namespace plat::d3d8
