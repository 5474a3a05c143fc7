// The software Direct3D object: one adapter described by the adapter profile.
#pragma once

#include "platform/d3d8/IDirect3D8.h"

namespace plat::d3d8 {

class Direct3D final : public IDirect3D8 {
public:
  ULONG AddRef() override;
  ULONG Release() override;
  UINT GetAdapterCount() override;
  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat, DWORD usage,
                            D3DRESOURCETYPE type, D3DFORMAT checkFormat) override;
  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS8* caps) override;
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                       D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override;

private:
  ~Direct3D() override = default;
  ULONG m_references = 1;
};

}  // namespace plat::d3d8
