// The SDL display device: draws through SDL 1.2 into the video surface and makes SDL surfaces.
#include "graphics/SDLDisplayDevice.h"

#include <SDL.h>

#include <cstdint>
#include <new>

#include "graphics/GammaRamp.h"
#include "graphics/LastDisplayError.h"
#include "graphics/SDLConversions.h"
#include "graphics/SDLSurface.h"
#include "graphics/SurfaceRegistry.h"
#include "platform/win/user/Gamma.h"

// Last: it brings in the X11 headers and their unprefixed macros.
#include <SDL_syswm.h>

namespace Qel {
namespace {

// SDL 1.2 keeps a surface's pitch in 16 bits and computes the pixel buffer size in an int: a size beyond
// either would be allocated short and overrun by every blit.
bool FitsSdlSurface(int width, int height, int bitsPerPixel) {
  if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
  if (width < 0 || height < 0) return false;
  const int64_t rowBytes = (int64_t{width} * (bitsPerPixel / 8) + 3) & ~int64_t{3};
  return rowBytes <= UINT16_MAX && rowBytes * height <= INT32_MAX;
}

// Surfaces that must not blend keep their alpha channel but have SDL copy it like any other bits.
void ApplyAlphaMode(SDL_Surface* surface, bool alphaBlending) {
  if (!alphaBlending) SDL_SetAlpha(surface, 0, SDL_ALPHA_OPAQUE);
}

SDLSurface* Wrap(SDL_Surface* surface) {
  auto* wrapper = new (std::nothrow) SDLSurface(surface);
  if (!wrapper) {
    SDL_FreeSurface(surface);
    SetLastDisplayError(kDisplayErrorOutOfMemory);
  }
  return wrapper;
}

}  // namespace

SDLDisplayDevice::SDLDisplayDevice() = default;

// The screen wrapper only borrows the video surface, which SDL frees itself when the video mode goes.
SDLDisplayDevice::~SDLDisplayDevice() = default;

int SDLDisplayDevice::DoOpen(int width, int height, const PixelFormat& format, bool fullScreen,
                             const void* openParameters) {
  if (m_screen) return kResultFailed;
  const int mode = openParameters ? *static_cast<const int*>(openParameters) : kSurfaceModeHardware;
  Uint32 flags = 0;
  bool alphaBlending = false;
  switch (mode) {
    case kSurfaceModeHardware:
      flags = SDL_HWSURFACE | SDL_DOUBLEBUF;
      break;
    case kSurfaceModeSoftware:
      break;
    case kSurfaceModeSoftwareAlpha:
      alphaBlending = true;
      break;
    default:
      return kResultFailed;
  }
  if (fullScreen) flags |= SDL_FULLSCREEN;

  SDL_Surface* video = SDL_SetVideoMode(width, height, format.GetBitsPerPixel(), flags);
  if (!video) return kResultSetVideoModeFailed;
  m_screen.reset(new (std::nothrow) SDLSurface(video, SDLSurface::Ownership::kBorrowed));
  if (!m_screen) return kResultNoScreenWrapper;
  m_alphaBlending = alphaBlending;
  SurfaceRegistry::Instance()->Register(m_screen.get());
  return 0;
}

int SDLDisplayDevice::GetWidth() const {
  return m_screen ? m_screen->GetWidth() : 0;
}

int SDLDisplayDevice::GetHeight() const {
  return m_screen ? m_screen->GetHeight() : 0;
}

PixelFormat SDLDisplayDevice::DoGetPixelFormat() const {
  return m_screen ? m_screen->GetPixelFormat() : kPixelFormatNone;
}

uint32_t SDLDisplayDevice::GetCapabilities() const {
  return m_screen && m_alphaBlending ? kCapsAlphaBlending : 0;
}

int SDLDisplayDevice::DoFillRect(const Rect* area, const Color& color) {
  if (!m_screen) return kResultFailed;
  SDL_Surface* screen = m_screen->GetSDLSurface();
  SDL_Rect sdlArea;
  if (area) sdlArea = ToSdlRect(*area);
  const Uint32 pixel = SDL_MapRGB(screen->format, color.Red(), color.Green(), color.Blue());
  return SDL_FillRect(screen, area ? &sdlArea : nullptr, pixel) == 0 ? 0 : kResultFailed;
}

int SDLDisplayDevice::DoBeginFrame() {
  return 0;
}

int SDLDisplayDevice::DoEndFrame() {
  return 0;
}

DrawingSurface* SDLDisplayDevice::DoGetBackBuffer() {
  return m_screen.get();
}

int SDLDisplayDevice::DoPresent() {
  if (!m_screen) return kResultFailed;
  return SDL_Flip(m_screen->GetSDLSurface()) == 0 ? 0 : kResultFailed;
}

int SDLDisplayDevice::DoSetGamma(float red, float green, float blue) {
  if (!m_screen) return kResultFailed;
  if (SDL_SetGamma(red, green, blue) != -1) return 0;

  SDL_SysWMinfo info;
  info.version.major = 1;
  info.version.minor = 2;
  info.version.patch = 4;
  if (SDL_GetWMInfo(&info) != 1) return kResultFailed;
  uint16_t ramp[3][kGammaRampSize];
  BuildGammaRamp(red, ramp[0]);
  BuildGammaRamp(green, ramp[1]);
  BuildGammaRamp(blue, ramp[2]);
  // SDL's one window covers the display whose ramp is set, so the screen's device context reaches it.
  plat::win::HDC dc = plat::win::GetDC(nullptr);
  const plat::win::BOOL applied = plat::win::SetDeviceGammaRamp(dc, ramp);
  plat::win::ReleaseDC(nullptr, dc);
  return applied ? 0 : kResultFailed;
}

DrawingSurface* SDLDisplayDevice::DoCreateSurface(int width, int height, const PixelFormat& format,
                                                  int kind) {
  if (!m_screen) {
    SetLastDisplayError(kDisplayErrorNoDevice);
    return nullptr;
  }
  Uint32 flags = 0;
  switch (kind) {
    case kSurfaceDefault:
      flags = SDL_SWSURFACE;
      break;
    case kSurfaceImage:
    case kSurfaceManaged:
      flags = SDL_HWSURFACE;
      break;
    default:
      SetLastDisplayError(kDisplayErrorBadKind);
      return nullptr;
  }
  if (!FitsSdlSurface(width, height, format.GetBitsPerPixel())) {
    SetLastDisplayError(kDisplayErrorOther);
    return nullptr;
  }
  SDL_Surface* surface =
      SDL_CreateRGBSurface(flags, width, height, format.GetBitsPerPixel(), format.GetRedMask(),
                           format.GetGreenMask(), format.GetBlueMask(), format.GetAlphaMask());
  if (!surface) {
    SetLastDisplayError(kDisplayErrorOther);
    return nullptr;
  }
  ApplyAlphaMode(surface, m_alphaBlending);
  return Wrap(surface);
}

DrawingSurface* SDLDisplayDevice::DoCreateSurfaceFromPixels(const void* pixels, int width, int height,
                                                            int pitch, const PixelFormat& format, int kind,
                                                            const Color* colorKey) {
  if (!m_screen) {
    SetLastDisplayError(kDisplayErrorNoDevice);
    return nullptr;
  }
  // The kind is settled before SDL is asked for anything, so that a refusal leaves nothing behind.
  Uint32 flags = 0;
  switch (kind) {
    case kSurfaceDefault:
    case kSurfaceImage:
      break;
    case kSurfaceManaged:
      flags = SDL_HWSURFACE;
      break;
    default:
      SetLastDisplayError(kDisplayErrorBadKind);
      return nullptr;
  }
  const int bitsPerPixel = format.GetBitsPerPixel();
  if (!pixels || !FitsSdlSurface(width, height, bitsPerPixel) || pitch < width * (bitsPerPixel / 8) ||
      pitch > UINT16_MAX) {
    SetLastDisplayError(kDisplayErrorOther);
    return nullptr;
  }
  // SDL only reads through the pointer here: the surface over the caller's memory is freed at once.
  SDL_Surface* borrowed = SDL_CreateRGBSurfaceFrom(const_cast<void*>(pixels), width, height, bitsPerPixel,
                                                   pitch, format.GetRedMask(), format.GetGreenMask(),
                                                   format.GetBlueMask(), format.GetAlphaMask());
  if (!borrowed) {
    SetLastDisplayError(kDisplayErrorOther);
    return nullptr;
  }
  SDL_Surface* copy = SDL_ConvertSurface(borrowed, borrowed->format, flags);
  SDL_FreeSurface(borrowed);
  if (!copy) {
    SetLastDisplayError(kDisplayErrorOther);
    return nullptr;
  }
  ApplyAlphaMode(copy, m_alphaBlending);
  SDLSurface* surface = Wrap(copy);
  if (surface && colorKey && *colorKey != Color::TransparentBlack(kPixelFormatA8R8G8B8)) {
    surface->SetColorKey(*colorKey);
  }
  return surface;
}

DrawingSurface* SDLDisplayDevice::CreateSurfaceFromImageFile(const char*, int, const Color*) {
  return nullptr;
}

DrawingSurface* SDLDisplayDevice::CreateSurfaceFromImageData(const void*, uint32_t, int, const Color*) {
  return nullptr;
}

Point2 SDLDisplayDevice::DoGetMousePosition() const {
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  return Point2(x, y);
}

int SDLDisplayDevice::SetCursorImage(DrawingSurface*, const Point2&) {
  return 0;
}

int SDLDisplayDevice::ShowCursor() {
  SDL_ShowCursor(SDL_ENABLE);
  return 0;
}

int SDLDisplayDevice::HideCursor() {
  SDL_ShowCursor(SDL_DISABLE);
  return 0;
}

}  // namespace Qel
