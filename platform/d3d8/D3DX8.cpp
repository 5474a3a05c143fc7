// The utility library calls (stubs until the software device lands).
#include "platform/d3d8/D3DX8.h"

namespace plat::d3d8 {

HRESULT D3DXCreateTexture(IDirect3DDevice8*, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                          IDirect3DTexture8**) {
  return E_NOTIMPL;
}
HRESULT D3DXCreateSprite(IDirect3DDevice8*, ID3DXSprite**) {
  return E_NOTIMPL;
}
HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8*, const PALETTEENTRY*, const RECT*, const void*,
                                  D3DFORMAT, UINT, const PALETTEENTRY*, const RECT*, DWORD, D3DCOLOR) {
  return E_NOTIMPL;
}
HRESULT D3DXLoadSurfaceFromSurface(IDirect3DSurface8*, const PALETTEENTRY*, const RECT*, IDirect3DSurface8*,
                                   const PALETTEENTRY*, const RECT*, DWORD, D3DCOLOR) {
  return E_NOTIMPL;
}
HRESULT D3DXGetImageInfoFromFile(const char*, D3DXIMAGE_INFO*) {
  return E_NOTIMPL;
}
HRESULT D3DXGetImageInfoFromFileInMemory(const void*, UINT, D3DXIMAGE_INFO*) {
  return E_NOTIMPL;
}
HRESULT D3DXLoadSurfaceFromFile(IDirect3DSurface8*, const PALETTEENTRY*, const RECT*, const char*,
                                const RECT*, DWORD, D3DCOLOR, D3DXIMAGE_INFO*) {
  return E_NOTIMPL;
}
HRESULT D3DXLoadSurfaceFromFileInMemory(IDirect3DSurface8*, const PALETTEENTRY*, const RECT*, const void*,
                                        UINT, const RECT*, DWORD, D3DCOLOR, D3DXIMAGE_INFO*) {
  return E_NOTIMPL;
}

}  // namespace plat::d3d8
