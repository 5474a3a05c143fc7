// A display device that makes memory surfaces, for the image tests: its format and alpha blending are
// chosen by the test, it logs each surface it is asked for and can be told to refuse some.
#pragma once

#include <memory>
#include <vector>

#include "MemorySurface.h"
#include "graphics/DisplayDevice.h"

namespace memtest {

class MemoryDisplayDevice : public Qel::DisplayDevice {
public:
  // An open device of width x height in format; the back buffer is a memory surface.
  MemoryDisplayDevice(int width, int height, const Qel::PixelFormat& format, bool alphaBlending);

  struct Request {
    int width;
    int height;
    int pitch;
    Qel::PixelFormat format;
    int kind;
    bool fromPixels;  // else an empty surface that the caller fills
  };
  std::vector<Request> requests;
  // Creations with these indices (counted from 0 over the device's life) fail.
  std::vector<int> failing;
  bool refuseAll = false;

  MemorySurface* BackBuffer() { return m_backBuffer.get(); }

  int GetWidth() const override { return m_backBuffer->GetWidth(); }
  int GetHeight() const override { return m_backBuffer->GetHeight(); }
  uint32_t GetCapabilities() const override { return m_alphaBlending ? kCapsAlphaBlending : 0; }
  Qel::DrawingSurface* CreateSurfaceFromImageFile(const char*, int, const Qel::Color*) override {
    return nullptr;
  }
  Qel::DrawingSurface* CreateSurfaceFromImageData(const void*, uint32_t, int, const Qel::Color*) override {
    return nullptr;
  }
  int SetCursorImage(Qel::DrawingSurface*, const Qel::Point2&) override { return 0; }
  int ShowCursor() override { return 0; }
  int HideCursor() override { return 0; }

protected:
  int DoOpen(int, int, const Qel::PixelFormat&, bool, const void*) override { return 0; }
  Qel::PixelFormat DoGetPixelFormat() const override { return m_backBuffer->GetPixelFormat(); }
  int DoFillRect(const Qel::Rect*, const Qel::Color&) override { return 0; }
  int DoBeginFrame() override { return 0; }
  int DoEndFrame() override { return 0; }
  Qel::DrawingSurface* DoGetBackBuffer() override { return m_backBuffer.get(); }
  int DoPresent() override { return 0; }
  int DoSetGamma(float, float, float) override { return 0; }
  Qel::DrawingSurface* DoCreateSurface(int width, int height, const Qel::PixelFormat& format,
                                       int kind) override;
  // Copies width pixels of each row, pitch bytes apart; refuses formats that are not whole bytes.
  Qel::DrawingSurface* DoCreateSurfaceFromPixels(const void* pixels, int width, int height, int pitch,
                                                 const Qel::PixelFormat& format, int kind,
                                                 const Qel::Color* colorKey) override;
  Qel::Point2 DoGetMousePosition() const override { return Qel::Point2(); }

private:
  bool Refuses();

  std::unique_ptr<MemorySurface> m_backBuffer;
  bool m_alphaBlending;
  int m_creations = 0;
};

}  // namespace memtest
