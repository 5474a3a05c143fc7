// The Direct3D object: the adapter's answers come from the adapter profile.
#include "platform/d3d8/Direct3D.h"

#include <algorithm>

#include "platform/d3d8/AdapterProfile.h"
#include "platform/d3d8/D3D8.h"
#include "platform/d3d8/Device.h"
#include "platform/d3d8/PixelCodec.h"

namespace plat::d3d8 {

IDirect3D8* Direct3DCreate8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION || GetAdapterProfile().unavailable) return nullptr;
  return new Direct3D;
}

ULONG Direct3D::AddRef() {
  return ++m_references;
}

ULONG Direct3D::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

UINT Direct3D::GetAdapterCount() {
  return 1;
}

HRESULT Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  if (adapter != 0 || !mode) return D3DERR_INVALIDCALL;
  *mode = GetAdapterProfile().desktopMode;
  return D3D_OK;
}

HRESULT Direct3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE /*deviceType*/, D3DFORMAT /*adapterFormat*/,
                                    DWORD /*usage*/, D3DRESOURCETYPE /*type*/, D3DFORMAT checkFormat) {
  if (adapter != 0) return D3DERR_INVALIDCALL;
  const auto& refused = GetAdapterProfile().unsupportedFormats;
  if (!FindFormat(checkFormat) || std::find(refused.begin(), refused.end(), checkFormat) != refused.end()) {
    return D3DERR_NOTAVAILABLE;
  }
  return D3D_OK;
}

HRESULT Direct3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS8* caps) {
  if (adapter != 0 || !caps) return D3DERR_INVALIDCALL;
  const AdapterProfile& profile = GetAdapterProfile();
  if (FAILED(profile.getCapsResult)) return profile.getCapsResult;
  *caps = profile.caps;
  // Asked of a device type other than the profile's, the software adapter answers for that type.
  if (deviceType != D3DDEVTYPE_HAL) caps->DeviceType = deviceType;
  return D3D_OK;
}

HRESULT Direct3D::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                               D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) {
  if (!device) return D3DERR_INVALIDCALL;
  *device = nullptr;
  if (adapter != 0 || !parameters) return D3DERR_INVALIDCALL;
  const AdapterProfile& profile = GetAdapterProfile();
  if (FAILED(profile.createDeviceResult)) return profile.createDeviceResult;
  D3DPRESENT_PARAMETERS kept = *parameters;
  if (kept.Windowed && kept.BackBufferFormat == D3DFMT_UNKNOWN)
    kept.BackBufferFormat = profile.desktopMode.Format;
  if (!FindFormat(kept.BackBufferFormat) || kept.BackBufferWidth == 0 || kept.BackBufferHeight == 0) {
    return D3DERR_INVALIDCALL;
  }
  if (kept.BackBufferCount == 0) kept.BackBufferCount = 1;
  const D3DDEVICE_CREATION_PARAMETERS creation{adapter, deviceType, focusWindow, behaviorFlags};
  Device* made = new Device(this, creation, kept);
  const HRESULT result = made->Init();
  if (FAILED(result)) {
    made->Release();
    return result;
  }
  *parameters = kept;
  *device = made;
  return D3D_OK;
}

}  // namespace plat::d3d8
