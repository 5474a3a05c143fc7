// Device contexts and the device gamma ramp of the display SDL shows its window on.
#include "platform/win/user/Gamma.h"

#include <SDL.h>

namespace plat::win {

struct DeviceContext {};

namespace {
DeviceContext gScreenContext;
constexpr int kRampEntries = 256;
}  // namespace

HDC GetDC(HWND) {
  return SDL_GetVideoSurface() ? &gScreenContext : nullptr;
}

int ReleaseDC(HWND, HDC dc) {
  return dc == &gScreenContext ? 1 : 0;
}

BOOL SetDeviceGammaRamp(HDC dc, const void* ramp) {
  if (dc != &gScreenContext || !ramp || !SDL_GetVideoSurface()) return 0;
  const auto* entries = static_cast<const WORD*>(ramp);
  // SDL takes non-const ramps but only reads them.
  auto* red = const_cast<WORD*>(entries);
  return SDL_SetGammaRamp(red, red + kRampEntries, red + 2 * kRampEntries) == 0 ? 1 : 0;
}

}  // namespace plat::win
