// A display device that makes memory surfaces, for the image tests: its format and alpha blending are
// chosen by the test, it logs each surface it is asked for and can be told to refuse some.
#include "MemoryDisplayDevice.h"

#include <algorithm>
#include <cstring>

namespace memtest {

MemoryDisplayDevice::MemoryDisplayDevice(int width, int height, const Qel::PixelFormat& format,
                                         bool alphaBlending)
    : m_backBuffer(std::make_unique<MemorySurface>(width, height, format)), m_alphaBlending(alphaBlending) {}

bool MemoryDisplayDevice::Refuses() {
  const int index = m_creations++;
  return refuseAll || std::find(failing.begin(), failing.end(), index) != failing.end();
}

Qel::DrawingSurface* MemoryDisplayDevice::DoCreateSurface(int width, int height,
                                                          const Qel::PixelFormat& format, int kind) {
  // A new surface's rows are packed, so its pitch is what the pixels written into it get.
  requests.push_back({width, height, width * format.GetBytesPerPixel(), format, kind, false});
  if (Refuses() || format.GetBytesPerPixel() == 0 || width < 1 || height < 1) return nullptr;
  return new MemorySurface(width, height, format);
}

Qel::DrawingSurface* MemoryDisplayDevice::DoCreateSurfaceFromPixels(const void* pixels, int width, int height,
                                                                    int pitch, const Qel::PixelFormat& format,
                                                                    int kind, const Qel::Color* colorKey) {
  requests.push_back({width, height, pitch, format, kind, true});
  const int bytesPerPixel = format.GetBytesPerPixel();
  if (Refuses() || !pixels || bytesPerPixel == 0 || width < 1 || height < 1 ||
      pitch < width * bytesPerPixel) {
    return nullptr;
  }
  auto* surface = new MemorySurface(width, height, format);
  int surfacePitch = 0;
  uint8_t* to = surface->LockBits(nullptr, surfacePitch, Qel::DrawingSurface::kLockWrite);
  for (int y = 0; y < height; ++y) {
    std::memcpy(to + static_cast<size_t>(y) * surfacePitch,
                static_cast<const uint8_t*>(pixels) + static_cast<size_t>(y) * pitch,
                static_cast<size_t>(width) * bytesPerPixel);
  }
  if (colorKey && *colorKey != Qel::Color::TransparentBlack(Qel::kPixelFormatA8R8G8B8))
    surface->SetColorKey(*colorKey);
  return surface;
}

}  // namespace memtest
