// The display device: the one screen abstraction that opens the mode, owns the back buffer and makes
// surfaces.
#include "graphics/DisplayDevice.h"

#include "core/EventManager.h"
#include "graphics/SurfaceRegistry.h"

namespace Qel {

int DisplayDevice::BeginFrame() {
  EventManager::GetInstance()->PostEvent(kDisplayEvent, kDisplayEventFrameBegun, nullptr);
  return DoBeginFrame();
}

int DisplayDevice::EndFrame() {
  const int result = DoEndFrame();
  EventManager::GetInstance()->PostEvent(kDisplayEvent, kDisplayEventFrameEnded, nullptr);
  return result;
}

int DisplayDevice::SetGamma(float red, float green, float blue) {
  if (m_gammaHeld) return 1;
  return DoSetGamma(red, green, blue);
}

int DisplayDevice::SetGammaAndHold(float red, float green, float blue) {
  m_gammaHeld = false;
  const int result = SetGamma(red, green, blue);
  m_gammaHeld = true;
  return result;
}

int DisplayDevice::ReleaseGamma(float red, float green, float blue) {
  m_gammaHeld = false;
  return SetGamma(red, green, blue);
}

DrawingSurface* DisplayDevice::CreateSurface(int width, int height, int kind) {
  return CreateSurface(width, height, GetPixelFormat(), kind);
}

DrawingSurface* DisplayDevice::CreateSurface(int width, int height, const PixelFormat& format, int kind) {
  DrawingSurface* surface = DoCreateSurface(width, height, format, kind);
  if (surface) SurfaceRegistry::Instance()->Register(surface);
  return surface;
}

DrawingSurface* DisplayDevice::CreateSurfaceFromPixels(const void* pixels, int width, int height, int pitch,
                                                       const PixelFormat& format, int kind,
                                                       const Color* colorKey) {
  DrawingSurface* surface = DoCreateSurfaceFromPixels(pixels, width, height, pitch, format, kind, colorKey);
  if (surface) SurfaceRegistry::Instance()->Register(surface);
  return surface;
}

}  // namespace Qel
