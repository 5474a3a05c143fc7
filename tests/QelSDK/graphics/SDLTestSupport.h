// Helpers of the SDL display tests: an open device, raw pixel access and the X11 switch.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/DrawingSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"

namespace sdltest {

using SurfacePtr = std::unique_ptr<Qel::DrawingSurface>;

// True when the tests run against a real X server (the Xvfb run), where SDL's own gamma works.
inline bool UnderX11() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  return driver && std::strcmp(driver, "x11") == 0;
}

inline SDL_Surface* SdlOf(Qel::DrawingSurface* surface) {
  return static_cast<Qel::SDLSurface*>(surface)->GetSDLSurface();
}

inline uint32_t PixelAt(SDL_Surface* surface, int x, int y) {
  SDL_LockSurface(surface);
  const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
  uint32_t value = 0;
  switch (surface->format->BytesPerPixel) {
    case 2:
      value = reinterpret_cast<const uint16_t*>(row)[x];
      break;
    case 4:
      value = reinterpret_cast<const uint32_t*>(row)[x];
      break;
    default:
      ADD_FAILURE() << "unexpected pixel size";
  }
  SDL_UnlockSurface(surface);
  return value;
}

// Every row of the image, without the padding between rows.
inline std::vector<uint8_t> Snapshot(SDL_Surface* surface) {
  std::vector<uint8_t> bytes;
  SDL_LockSurface(surface);
  const size_t rowBytes = static_cast<size_t>(surface->w) * surface->format->BytesPerPixel;
  for (int y = 0; y < surface->h; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    bytes.insert(bytes.end(), row, row + rowBytes);
  }
  SDL_UnlockSurface(surface);
  return bytes;
}

// An SDL device with SDL shut down after each test, as each test process starts SDL afresh.
class SDLDeviceTest : public testing::Test {
protected:
  void TearDown() override {
    Qel::SDLSurface::UnregisterSurfaceOps();
    device.reset();
    SDL_Quit();
  }

  int Open(int mode, const Qel::PixelFormat& format = Qel::PixelFormat(16)) {
    const int result = device->Open(800, 600, format, false, &mode);
    if (result == 0) device->HideCursor();
    return result;
  }

  std::unique_ptr<Qel::SDLDisplayDevice> device = std::make_unique<Qel::SDLDisplayDevice>();
};

}  // namespace sdltest
