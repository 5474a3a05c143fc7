// The Direct3D 8 display device: the device for the game window, its back buffer, frames with recovery of
// a lost device, gamma, surfaces made through the utility library, and the hardware cursor.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/DisplayDevice.h"
#include "platform/d3d8/D3D8.h"
#include "platform/d3d8/D3DX8.h"

namespace Qel {

class D3DBackBuffer;
class D3DSurface;
class D3DTexture;

// What Open needs to make the device; filled by the start-up. The Direct3D object is not owned.
struct D3DDeviceParameters {
  plat::d3d8::IDirect3D8* direct3D = nullptr;
  uint32_t adapter = 0;
  uint32_t deviceType = plat::d3d8::D3DDEVTYPE_HAL;
  plat::win::HWND focusWindow = nullptr;
  uint32_t behaviorFlags = plat::d3d8::D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  uint32_t backBufferCount = 1;
  uint32_t multiSampleType = 0;
  uint32_t swapEffect = plat::d3d8::D3DSWAPEFFECT_DISCARD;
  plat::win::HWND deviceWindow = nullptr;
  uint32_t enableAutoDepthStencil = 0;
  uint32_t autoDepthStencilFormat = 0;
  uint32_t flags = 0;
  uint32_t fullScreenRefreshRate = 0;
  uint32_t fullScreenPresentationInterval = 0;
};

class D3DDisplayDevice : public DisplayDevice {
public:
  // Result codes of this device.
  static constexpr int kResultFailed = 1;
  static constexpr int kResultOutOfVideoMemory = 2;
  static constexpr int kResultNotAvailable = 101;
  static constexpr int kResultNoDevice = 102;
  static constexpr int kResultOther = -1;

  // The scratch texture through which surfaces and shapes reach the back buffer.
  static constexpr int kScratchSize = 512;

  D3DDisplayDevice();
  ~D3DDisplayDevice() override;

  // The back buffer's; 0 without one.
  int GetWidth() const override;
  int GetHeight() const override;
  // Alpha blending when textures have alpha, the hardware cursor when the device has one.
  uint32_t GetCapabilities() const override;
  // An image surface in the image's own format; the kind is not used.
  DrawingSurface* CreateSurfaceFromImageFile(const char* fileName, int kind, const Color* colorKey) override;
  DrawingSurface* CreateSurfaceFromImageData(const void* data, uint32_t size, int kind,
                                             const Color* colorKey) override;
  int SetCursorImage(DrawingSurface* image, const Point2& hotspot) override;
  int ShowCursor() override;
  int HideCursor() override;

  plat::d3d8::IDirect3DDevice8* GetD3DDevice() const { return m_device; }

protected:
  // openParameters points to a D3DDeviceParameters.
  int DoOpen(int width, int height, const PixelFormat& format, bool fullScreen,
             const void* openParameters) override;
  PixelFormat DoGetPixelFormat() const override;
  int DoFillRect(const Rect* area, const Color& color) override;
  // Resets a device that may be reset and rebuilds a missing back buffer; 102 skips the frame.
  int DoBeginFrame() override;
  int DoEndFrame() override;
  DrawingSurface* DoGetBackBuffer() override;
  int DoPresent() override;
  // Gains above 1 saturate at the ramp's top.
  int DoSetGamma(float red, float green, float blue) override;
  DrawingSurface* DoCreateSurface(int width, int height, const PixelFormat& format, int kind) override;
  DrawingSurface* DoCreateSurfaceFromPixels(const void* pixels, int width, int height, int pitch,
                                            const PixelFormat& format, int kind,
                                            const Color* colorKey) override;
  Point2 DoGetMousePosition() const override;

private:
  // Whether a back buffer is held afterwards.
  bool BuildBackBuffer();
  // Each gives null and sets error to the failure code.
  D3DSurface* NewImageSurface(int width, int height, const PixelFormat& format, int& error);
  D3DTexture* NewTexture(int width, int height, const PixelFormat& format, int& error);
  DrawingSurface* NewSurfaceFromImage(const plat::d3d8::D3DXIMAGE_INFO& info, const Color* colorKey,
                                      bool fromFile, const char* fileName, const void* data, uint32_t size);

  plat::d3d8::IDirect3DDevice8* m_device = nullptr;
  plat::d3d8::D3DPRESENT_PARAMETERS m_presentParameters{};
  std::unique_ptr<D3DBackBuffer> m_backBuffer;
  plat::win::HWND m_focusWindow = nullptr;
};

}  // namespace Qel
