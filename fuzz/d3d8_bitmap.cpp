// Fuzz target: the Direct3D stand-in's bitmap reader on arbitrary bytes, through the image-information
// call and loads into a surface of the image's size and into a small one that scales it.
#include <cstddef>
#include <cstdint>

#include "platform/d3d8/D3D8.h"
#include "platform/d3d8/D3DX8.h"

namespace {

using namespace plat::d3d8;

// One device for the whole run: no window, nothing presented.
IDirect3DDevice8* Device() {
  static IDirect3DDevice8* device = [] {
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    if (!d3d) __builtin_trap();
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 16;
    parameters.BackBufferHeight = 16;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.Windowed = TRUE;
    IDirect3DDevice8* made = nullptr;
    if (d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &made) != D3D_OK) __builtin_trap();
    d3d->Release();
    return made;
  }();
  return device;
}

void LoadInto(UINT width, UINT height, D3DFORMAT format, const uint8_t* data, size_t size, bool mustLoad) {
  IDirect3DSurface8* surface = nullptr;
  if (Device()->CreateImageSurface(width, height, format, &surface) != D3D_OK) return;
  D3DXIMAGE_INFO info;
  const HRESULT loaded = D3DXLoadSurfaceFromFileInMemory(
      surface, nullptr, nullptr, data, static_cast<UINT>(size), nullptr, D3DX_FILTER_NONE, 0xFFFF00FF, &info);
  // What the information call accepts, the load reads whole.
  if (mustLoad && loaded != D3D_OK) __builtin_trap();
  surface->Release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  D3DXIMAGE_INFO info;
  const HRESULT known = D3DXGetImageInfoFromFileInMemory(data, static_cast<UINT>(size), &info);
  if (known != D3D_OK) {
    if (known != D3DXERR_INVALIDDATA) __builtin_trap();
    LoadInto(4, 4, D3DFMT_A8R8G8B8, data, size, false);
    return 0;
  }
  if (info.Width == 0 || info.Height == 0) __builtin_trap();
  if (static_cast<uint64_t>(info.Width) * info.Height <= 4096 * 4096) {
    LoadInto(info.Width, info.Height, info.Format, data, size, true);
  }
  LoadInto(3, 5, D3DFMT_R5G6B5, data, size, true);
  return 0;
}
