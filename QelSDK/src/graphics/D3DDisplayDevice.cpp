// The Direct3D 8 display device: the device for the game window, its back buffer, frames with recovery of
// a lost device, gamma, surfaces made through the utility library, and the hardware cursor.
#include "graphics/D3DDisplayDevice.h"

#include <new>

#include "graphics/CursorClientPosition.h"
#include "graphics/D3DBackBuffer.h"
#include "graphics/D3DFormats.h"
#include "graphics/D3DSurface.h"
#include "graphics/D3DTexture.h"
#include "graphics/GammaRamp.h"
#include "graphics/LastDisplayError.h"
#include "graphics/SurfaceRegistry.h"
#include "platform/win/user/Gamma.h"

namespace d3d = plat::d3d8;

namespace Qel {
namespace {

bool IsOutOfMemory(d3d::HRESULT result) {
  return result == d3d::E_OUTOFMEMORY || result == d3d::D3DERR_OUTOFVIDEOMEMORY;
}

// The cursor sizes the device takes: 32 up to 32, 64 above.
int CursorSide(int side) {
  return side > 32 ? 64 : 32;
}

}  // namespace

D3DDisplayDevice::D3DDisplayDevice() = default;

D3DDisplayDevice::~D3DDisplayDevice() {
  m_backBuffer.reset();
  if (m_device) m_device->Release();
  m_device = nullptr;
}

int D3DDisplayDevice::DoOpen(int width, int height, const PixelFormat& format, bool fullScreen,
                             const void* openParameters) {
  if (m_device) return kResultFailed;
  const auto* record = static_cast<const D3DDeviceParameters*>(openParameters);
  if (!record || !record->direct3D) return kResultFailed;
  try {
    d3d::D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = static_cast<d3d::UINT>(width);
    parameters.BackBufferHeight = static_cast<d3d::UINT>(height);
    parameters.BackBufferFormat = D3DFormatFromPixelFormat(format);
    parameters.BackBufferCount = record->backBufferCount;
    parameters.MultiSampleType = record->multiSampleType;
    parameters.SwapEffect = record->swapEffect;
    parameters.hDeviceWindow = record->deviceWindow;
    parameters.Windowed = fullScreen ? d3d::FALSE : d3d::TRUE;
    parameters.EnableAutoDepthStencil = static_cast<d3d::BOOL>(record->enableAutoDepthStencil);
    parameters.AutoDepthStencilFormat = record->autoDepthStencilFormat;
    parameters.Flags = record->flags;
    parameters.FullScreen_RefreshRateInHz = record->fullScreenRefreshRate;
    parameters.FullScreen_PresentationInterval = record->fullScreenPresentationInterval;
    if (width <= 0 || height <= 0) return kResultFailed;

    d3d::IDirect3DDevice8* device = nullptr;
    const d3d::HRESULT created =
        record->direct3D->CreateDevice(record->adapter, record->deviceType, record->focusWindow,
                                       record->behaviorFlags, &parameters, &device);
    if (created == d3d::D3DERR_OUTOFVIDEOMEMORY) return kResultOutOfVideoMemory;
    if (created == d3d::D3DERR_NOTAVAILABLE) return kResultNotAvailable;
    if (d3d::FAILED(created)) return kResultFailed;
    if (!device) return kResultOther;
    m_device = device;
    m_presentParameters = parameters;
    if (!BuildBackBuffer()) {
      m_device->Release();
      m_device = nullptr;
      return kResultOther;
    }
    m_focusWindow = record->focusWindow;
    return 0;
  } catch (...) {
    return kResultOther;
  }
}

bool D3DDisplayDevice::BuildBackBuffer() {
  if (!m_device) return false;
  if (m_backBuffer) return true;
  d3d::IDirect3DSurface8* surface = nullptr;
  if (d3d::FAILED(m_device->GetBackBuffer(0, d3d::D3DBACKBUFFER_TYPE_MONO, &surface)) || !surface)
    return false;
  d3d::ID3DXSprite* sprite = nullptr;
  if (d3d::FAILED(d3d::D3DXCreateSprite(m_device, &sprite)) || !sprite) {
    surface->Release();
    return false;
  }
  d3d::IDirect3DTexture8* scratch = nullptr;
  if (d3d::FAILED(d3d::D3DXCreateTexture(m_device, kScratchSize, kScratchSize, 1, 0, d3d::D3DFMT_A8R8G8B8,
                                         d3d::D3DPOOL_MANAGED, &scratch)) ||
      !scratch) {
    sprite->Release();
    surface->Release();
    return false;
  }
  m_backBuffer.reset(new (std::nothrow) D3DBackBuffer(surface, sprite, scratch));
  if (!m_backBuffer) {
    scratch->Release();
    sprite->Release();
    surface->Release();
    return false;
  }
  SurfaceRegistry::Instance()->Register(m_backBuffer.get());
  return true;
}

int D3DDisplayDevice::GetWidth() const {
  return m_backBuffer ? m_backBuffer->GetWidth() : 0;
}

int D3DDisplayDevice::GetHeight() const {
  return m_backBuffer ? m_backBuffer->GetHeight() : 0;
}

PixelFormat D3DDisplayDevice::DoGetPixelFormat() const {
  return m_backBuffer ? m_backBuffer->GetPixelFormat() : kPixelFormatNone;
}

uint32_t D3DDisplayDevice::GetCapabilities() const {
  d3d::D3DCAPS8 caps;
  if (!m_device || d3d::FAILED(m_device->GetDeviceCaps(&caps))) return 0;
  uint32_t capabilities = 0;
  if (caps.TextureCaps & d3d::D3DPTEXTURECAPS_ALPHA) capabilities |= kCapsAlphaBlending;
  if (caps.CursorCaps != 0) capabilities |= kCapsHardwareCursor;
  return capabilities;
}

int D3DDisplayDevice::DoFillRect(const Rect* area, const Color& color) {
  if (!m_device) return kResultNoDevice;
  Color packed;
  color.ConvertTo(packed, kPixelFormatA8R8G8B8);
  const d3d::D3DRECT rect =
      area ? d3d::D3DRECT{area->Left(), area->Top(), area->Right(), area->Bottom()} : d3d::D3DRECT{};
  const d3d::HRESULT cleared = m_device->Clear(area ? 1 : 0, area ? &rect : nullptr, d3d::D3DCLEAR_TARGET,
                                               packed.GetPacked(), 1.0f, 0);
  return d3d::FAILED(cleared) ? kResultFailed : 0;
}

int D3DDisplayDevice::DoBeginFrame() {
  if (!m_device) return kResultNoDevice;
  const d3d::HRESULT level = m_device->TestCooperativeLevel();
  if (level == d3d::D3DERR_DEVICENOTRESET) {
    m_backBuffer.reset();
    d3d::D3DPRESENT_PARAMETERS parameters = m_presentParameters;
    if (d3d::FAILED(m_device->Reset(&parameters))) return kResultNoDevice;
    BuildBackBuffer();
  } else if (d3d::FAILED(level)) {
    return kResultNoDevice;  // lost: tried again next frame
  }
  // A back buffer whose rebuild failed is tried again each frame; without one nothing can be drawn.
  if (!BuildBackBuffer()) return kResultNoDevice;
  if (d3d::FAILED(m_device->BeginScene())) return kResultNoDevice;
  m_backBuffer->BeginSpriteBatch();
  return 0;
}

int D3DDisplayDevice::DoEndFrame() {
  if (!m_device) return kResultNoDevice;
  if (m_backBuffer) m_backBuffer->EndSpriteBatch();
  return d3d::FAILED(m_device->EndScene()) ? kResultFailed : 0;
}

DrawingSurface* D3DDisplayDevice::DoGetBackBuffer() {
  return m_backBuffer.get();
}

int D3DDisplayDevice::DoPresent() {
  if (!m_device) return kResultNoDevice;
  return d3d::FAILED(m_device->Present(nullptr, nullptr, nullptr, nullptr)) ? kResultNoDevice : 0;
}

int D3DDisplayDevice::DoSetGamma(float red, float green, float blue) {
  if (!m_device) return kResultNoDevice;
  d3d::D3DGAMMARAMP ramp;
  BuildGammaRamp(red, ramp.red);
  BuildGammaRamp(green, ramp.green);
  BuildGammaRamp(blue, ramp.blue);
  m_device->SetGammaRamp(d3d::D3DSGR_NO_CALIBRATION, &ramp);
  if (d3d::SUCCEEDED(m_device->TestCooperativeLevel())) return 0;
  // A lost device cannot show its ramp, so the screen takes it through the window.
  d3d::D3DDEVICE_CREATION_PARAMETERS creation;
  if (d3d::FAILED(m_device->GetCreationParameters(&creation))) return kResultNoDevice;
  plat::win::HDC dc = plat::win::GetDC(creation.hFocusWindow);
  const plat::win::BOOL applied = plat::win::SetDeviceGammaRamp(dc, &ramp);
  plat::win::ReleaseDC(creation.hFocusWindow, dc);
  return applied ? 0 : kResultNoDevice;
}

D3DSurface* D3DDisplayDevice::NewImageSurface(int width, int height, const PixelFormat& format, int& error) {
  if (!m_device) {
    error = kDisplayErrorNoDevice;
    return nullptr;
  }
  d3d::IDirect3DSurface8* surface = nullptr;
  const d3d::HRESULT created =
      width <= 0 || height <= 0
          ? d3d::D3DERR_INVALIDCALL
          : m_device->CreateImageSurface(static_cast<d3d::UINT>(width), static_cast<d3d::UINT>(height),
                                         D3DFormatFromPixelFormat(format), &surface);
  if (IsOutOfMemory(created)) {
    error = kDisplayErrorOutOfMemory;
    return nullptr;
  }
  if (d3d::FAILED(created) || !surface) {
    error = kDisplayErrorOther;
    return nullptr;
  }
  auto* wrapper = new (std::nothrow) D3DSurface(surface);
  if (!wrapper) {
    surface->Release();
    error = kDisplayErrorOutOfMemory;
  }
  return wrapper;
}

D3DTexture* D3DDisplayDevice::NewTexture(int width, int height, const PixelFormat& format, int& error) {
  if (!m_device) {
    error = kDisplayErrorNoDevice;
    return nullptr;
  }
  d3d::IDirect3DTexture8* texture = nullptr;
  const d3d::HRESULT created =
      width <= 0 || height <= 0
          ? d3d::D3DERR_INVALIDCALL
          : d3d::D3DXCreateTexture(m_device, static_cast<d3d::UINT>(width), static_cast<d3d::UINT>(height), 1,
                                   0, D3DFormatFromPixelFormat(format), d3d::D3DPOOL_MANAGED, &texture);
  if (IsOutOfMemory(created)) {
    error = kDisplayErrorOutOfMemory;
    return nullptr;
  }
  if (d3d::FAILED(created) || !texture) {
    error = kDisplayErrorOther;
    return nullptr;
  }
  auto* wrapper = new (std::nothrow) D3DTexture(texture, width, height);
  if (!wrapper) {
    texture->Release();
    error = kDisplayErrorOutOfMemory;
  }
  return wrapper;
}

DrawingSurface* D3DDisplayDevice::DoCreateSurface(int width, int height, const PixelFormat& format,
                                                  int kind) {
  int error = 0;
  DrawingSurface* surface = nullptr;
  switch (kind) {
    case kSurfaceDefault:
    case kSurfaceManaged:
      surface = NewTexture(width, height, format, error);
      break;
    case kSurfaceImage:
      surface = NewImageSurface(width, height, format, error);
      break;
    default:
      error = kDisplayErrorBadKind;
      break;
  }
  if (!surface) SetLastDisplayError(error);
  return surface;
}

DrawingSurface* D3DDisplayDevice::DoCreateSurfaceFromPixels(const void* pixels, int width, int height,
                                                            int pitch, const PixelFormat& format, int kind,
                                                            const Color* colorKey) {
  int error = 0;
  std::unique_ptr<DrawingSurface> surface;
  d3d::IDirect3DSurface8* target = nullptr;
  switch (kind) {
    case kSurfaceDefault:
    case kSurfaceManaged: {
      D3DTexture* texture = NewTexture(width, height, format, error);
      surface.reset(texture);
      if (texture) {
        target = texture->GetLevelSurface();
        if (!target) error = kDisplayErrorOther;
      }
      break;
    }
    case kSurfaceImage: {
      D3DSurface* image = NewImageSurface(width, height, format, error);
      surface.reset(image);
      if (image) {
        target = image->GetD3DSurface();
        target->AddRef();
      }
      break;
    }
    default:
      error = kDisplayErrorBadKind;
      break;
  }
  if (!target) {
    SetLastDisplayError(error);
    return nullptr;
  }
  const uint32_t key = colorKey ? PackD3DColorKey(*colorKey) : 0;
  const d3d::RECT source{0, 0, width, height};
  const d3d::HRESULT loaded =
      !pixels || pitch <= 0
          ? d3d::D3DERR_INVALIDCALL
          : d3d::D3DXLoadSurfaceFromMemory(target, nullptr, nullptr, pixels, D3DFormatFromPixelFormat(format),
                                           static_cast<d3d::UINT>(pitch), nullptr, &source,
                                           d3d::D3DX_FILTER_NONE, key);
  target->Release();
  if (d3d::FAILED(loaded)) {
    SetLastDisplayError(kDisplayErrorBadKind);
    return nullptr;
  }
  // The keyed pixels are transparent now; the surface still says which colour they were, as every
  // display's surfaces do.
  if (colorKey && *colorKey != Color::TransparentBlack(kPixelFormatA8R8G8B8)) surface->SetColorKey(*colorKey);
  return surface.release();
}

DrawingSurface* D3DDisplayDevice::NewSurfaceFromImage(const d3d::D3DXIMAGE_INFO& info, const Color* colorKey,
                                                      bool fromFile, const char* fileName, const void* data,
                                                      uint32_t size) {
  int error = 0;
  std::unique_ptr<D3DSurface> surface(NewImageSurface(static_cast<int>(info.Width),
                                                      static_cast<int>(info.Height),
                                                      PixelFormatFromD3DFormat(info.Format), error));
  if (!surface) {
    SetLastDisplayError(error);
    return nullptr;
  }
  const uint32_t key = colorKey ? PackD3DColorKey(*colorKey) : 0;
  const d3d::HRESULT loaded =
      fromFile ? d3d::D3DXLoadSurfaceFromFile(surface->GetD3DSurface(), nullptr, nullptr, fileName, nullptr,
                                              d3d::D3DX_FILTER_NONE, key, nullptr)
               : d3d::D3DXLoadSurfaceFromFileInMemory(surface->GetD3DSurface(), nullptr, nullptr, data, size,
                                                      nullptr, d3d::D3DX_FILTER_NONE, key, nullptr);
  if (d3d::FAILED(loaded)) {
    SetLastDisplayError(kDisplayErrorBadKind);
    return nullptr;
  }
  return surface.release();
}

DrawingSurface* D3DDisplayDevice::CreateSurfaceFromImageFile(const char* fileName, int,
                                                             const Color* colorKey) {
  if (!m_device) {
    SetLastDisplayError(kDisplayErrorNoDevice);
    return nullptr;
  }
  d3d::D3DXIMAGE_INFO info;
  if (!fileName || d3d::FAILED(d3d::D3DXGetImageInfoFromFile(fileName, &info))) {
    SetLastDisplayError(kDisplayErrorBadKind);
    return nullptr;
  }
  return NewSurfaceFromImage(info, colorKey, true, fileName, nullptr, 0);
}

DrawingSurface* D3DDisplayDevice::CreateSurfaceFromImageData(const void* data, uint32_t size, int,
                                                             const Color* colorKey) {
  if (!m_device) {
    SetLastDisplayError(kDisplayErrorNoDevice);
    return nullptr;
  }
  d3d::D3DXIMAGE_INFO info;
  if (!data || d3d::FAILED(d3d::D3DXGetImageInfoFromFileInMemory(data, size, &info))) {
    SetLastDisplayError(kDisplayErrorBadKind);
    return nullptr;
  }
  return NewSurfaceFromImage(info, colorKey, false, nullptr, data, size);
}

Point2 D3DDisplayDevice::DoGetMousePosition() const {
  if (!m_device) return Point2(0, 0);
  return GetCursorClientPosition(m_focusWindow);
}

int D3DDisplayDevice::SetCursorImage(DrawingSurface* image, const Point2& hotspot) {
  if (!m_device || !image) return kResultFailed;
  const int width = image->GetWidth();
  const int height = image->GetHeight();
  const auto hotspotX = static_cast<d3d::UINT>(hotspot.X());
  const auto hotspotY = static_cast<d3d::UINT>(hotspot.Y());
  auto* surface = dynamic_cast<D3DSurface*>(image);
  if (surface && image->GetPixelFormat() == kPixelFormatA8R8G8B8 && (width == 32 || width == 64) &&
      (height == 32 || height == 64)) {
    return d3d::FAILED(m_device->SetCursorProperties(hotspotX, hotspotY, surface->GetD3DSurface()))
               ? kResultFailed
               : 0;
  }
  if (width > 64 || height > 64) return kResultFailed;
  int error = 0;
  std::unique_ptr<D3DSurface> cursor(
      NewImageSurface(CursorSide(width), CursorSide(height), kPixelFormatA8R8G8B8, error));
  if (!cursor) return kResultFailed;
  const int copied = image->CopyTo(cursor.get(), Point2(0, 0));
  if (copied == 0) m_device->SetCursorProperties(hotspotX, hotspotY, cursor->GetD3DSurface());
  return copied;
}

int D3DDisplayDevice::ShowCursor() {
  if (m_device) m_device->ShowCursor(d3d::TRUE);
  return 1;
}

int D3DDisplayDevice::HideCursor() {
  if (m_device) m_device->ShowCursor(d3d::FALSE);
  return 1;
}

}  // namespace Qel
