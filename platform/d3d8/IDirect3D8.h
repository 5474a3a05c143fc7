// The Direct3D object: the one adapter, its display mode and capabilities, and device creation.
#pragma once

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/IDirect3DDevice8.h"

namespace plat::d3d8 {

// Reference counted: Release, never delete. There is one adapter (ordinal 0); every answer comes
// from the adapter profile (AdapterProfile.h), which by default passes every check.
class IDirect3D8 {
public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual UINT GetAdapterCount() = 0;
  virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) = 0;
  // D3D_OK when a resource of the type can be made in checkFormat, else D3DERR_NOTAVAILABLE.
  virtual HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat, DWORD usage,
                                    D3DRESOURCETYPE type, D3DFORMAT checkFormat) = 0;
  virtual HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS8* caps) = 0;
  // The back buffer takes the parameters' size and format (a windowed device
  // whose format is D3DFMT_UNKNOWN takes the desktop's); size 0 or a format outside D3D8Types.h is
  // D3DERR_INVALIDCALL.
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                               D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) = 0;

protected:
  virtual ~IDirect3D8() = default;
};

}  // namespace plat::d3d8
