// The display device: the one screen abstraction that opens the mode, owns the back buffer and makes
// surfaces.
#pragma once

#include <cstdint>

#include "core/Color.h"
#include "core/PixelFormat.h"
#include "core/Point2.h"
#include "core/Rect.h"

namespace Qel {

class DrawingSurface;

class DisplayDevice {
public:
  // Capability flags.
  static constexpr uint32_t kCapsAlphaBlending = 1;
  static constexpr uint32_t kCapsHardwareCursor = 2;

  // Surface kinds: the default for images that are drawn, a plain image surface (rendered text uses it),
  // and a kind that Direct3D treats as the default and SDL as a hardware surface. Others are refused.
  static constexpr int kSurfaceDefault = 0;
  static constexpr int kSurfaceImage = 3;
  static constexpr int kSurfaceManaged = 4;

  // Display events posted around each frame.
  static constexpr int kDisplayEvent = -3;
  static constexpr int kDisplayEventFrameBegun = 0;
  static constexpr int kDisplayEventFrameEnded = 1;

  DisplayDevice() = default;
  virtual ~DisplayDevice() = default;
  DisplayDevice(const DisplayDevice&) = delete;
  DisplayDevice& operator=(const DisplayDevice&) = delete;

  // Result codes are 0 on success. openParameters points to the implementation's own record.
  int Open(int width, int height, const PixelFormat& format, bool fullScreen, const void* openParameters) {
    return DoOpen(width, height, format, fullScreen, openParameters);
  }
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  PixelFormat GetPixelFormat() const { return DoGetPixelFormat(); }
  virtual uint32_t GetCapabilities() const = 0;
  bool HasCapabilities(uint32_t mask) const { return (GetCapabilities() & mask) == mask; }
  // A null rectangle fills the whole back buffer; the colour's alpha is not used.
  int FillRect(const Rect* area, const Color& color) { return DoFillRect(area, color); }
  // Posts the frame-begun event whether or not the frame can begin; only 0 lets the frame be drawn.
  int BeginFrame();
  // Posts the frame-ended event also when ending failed.
  int EndFrame();
  // Owned by the device; null before Open.
  DrawingSurface* GetBackBuffer() { return DoGetBackBuffer(); }
  int Present() { return DoPresent(); }

  // Answers 1 and changes nothing while the ramp is held.
  int SetGamma(float red, float green, float blue);
  // Applies the ramp and keeps it against later SetGamma calls until ReleaseGamma.
  int SetGammaAndHold(float red, float green, float blue);
  int ReleaseGamma(float red, float green, float blue);

  // New surfaces belong to the caller; null on failure, with the code left in the last display error.
  DrawingSurface* CreateSurface(int width, int height, int kind);
  DrawingSurface* CreateSurface(int width, int height, const PixelFormat& format, int kind);
  // The surface takes a copy of the pixels; the caller keeps its memory. A key other than
  // TransparentBlack becomes the surface's colour key.
  DrawingSurface* CreateSurfaceFromPixels(const void* pixels, int width, int height, int pitch,
                                          const PixelFormat& format, int kind, const Color* colorKey);
  virtual DrawingSurface* CreateSurfaceFromImageFile(const char* fileName, int kind,
                                                     const Color* colorKey) = 0;
  virtual DrawingSurface* CreateSurfaceFromImageData(const void* data, uint32_t size, int kind,
                                                     const Color* colorKey) = 0;

  Point2 GetMousePosition() const { return DoGetMousePosition(); }
  virtual int SetCursorImage(DrawingSurface* image, const Point2& hotspot) = 0;
  virtual int ShowCursor() = 0;
  virtual int HideCursor() = 0;

protected:
  virtual int DoOpen(int width, int height, const PixelFormat& format, bool fullScreen,
                     const void* openParameters) = 0;
  virtual PixelFormat DoGetPixelFormat() const = 0;
  virtual int DoFillRect(const Rect* area, const Color& color) = 0;
  virtual int DoBeginFrame() = 0;
  virtual int DoEndFrame() = 0;
  virtual DrawingSurface* DoGetBackBuffer() = 0;
  virtual int DoPresent() = 0;
  virtual int DoSetGamma(float red, float green, float blue) = 0;
  virtual DrawingSurface* DoCreateSurface(int width, int height, const PixelFormat& format, int kind) = 0;
  virtual DrawingSurface* DoCreateSurfaceFromPixels(const void* pixels, int width, int height, int pitch,
                                                    const PixelFormat& format, int kind,
                                                    const Color* colorKey) = 0;
  virtual Point2 DoGetMousePosition() const = 0;

private:
  bool m_gammaHeld = false;
};

}  // namespace Qel
