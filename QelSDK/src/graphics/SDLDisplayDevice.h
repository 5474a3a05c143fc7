// The SDL display device: draws through SDL 1.2 into the video surface and makes SDL surfaces.
#pragma once

#include <memory>

#include "graphics/DisplayDevice.h"

namespace Qel {

class SDLSurface;

class SDLDisplayDevice : public DisplayDevice {
public:
  // Surface modes, passed to Open through an int: a hardware double-buffered screen, a software screen, or a
  // software screen on which alpha channels blend.
  static constexpr int kSurfaceModeHardware = 0;
  static constexpr int kSurfaceModeSoftware = 1;
  static constexpr int kSurfaceModeSoftwareAlpha = 2;

  // Result codes of this device.
  static constexpr int kResultFailed = 1;
  static constexpr int kResultNoScreenWrapper = 2;
  static constexpr int kResultSetVideoModeFailed = 101;

  SDLDisplayDevice();
  ~SDLDisplayDevice() override;

  int GetWidth() const override;
  int GetHeight() const override;
  // Alpha blending only with the alpha surface mode; never a hardware cursor.
  uint32_t GetCapabilities() const override;
  // This path decodes no image files: always null.
  DrawingSurface* CreateSurfaceFromImageFile(const char* fileName, int kind, const Color* colorKey) override;
  DrawingSurface* CreateSurfaceFromImageData(const void* data, uint32_t size, int kind,
                                             const Color* colorKey) override;
  int SetCursorImage(DrawingSurface* image, const Point2& hotspot) override;
  int ShowCursor() override;
  int HideCursor() override;

protected:
  // openParameters points to the surface mode (an int); null counts as the hardware mode.
  int DoOpen(int width, int height, const PixelFormat& format, bool fullScreen,
             const void* openParameters) override;
  PixelFormat DoGetPixelFormat() const override;
  int DoFillRect(const Rect* area, const Color& color) override;
  int DoBeginFrame() override;
  int DoEndFrame() override;
  DrawingSurface* DoGetBackBuffer() override;
  int DoPresent() override;
  // SDL's own gamma first; where SDL cannot, the ramp goes to the display through the window system.
  int DoSetGamma(float red, float green, float blue) override;
  DrawingSurface* DoCreateSurface(int width, int height, const PixelFormat& format, int kind) override;
  DrawingSurface* DoCreateSurfaceFromPixels(const void* pixels, int width, int height, int pitch,
                                            const PixelFormat& format, int kind,
                                            const Color* colorKey) override;
  Point2 DoGetMousePosition() const override;

private:
  std::unique_ptr<SDLSurface> m_screen;
  bool m_alphaBlending = false;
};

}  // namespace Qel
