// The SDL surface: a drawing surface over one SDL_Surface, blitted onto others through SDL.
#include "graphics/SDLSurface.h"

#include <SDL.h>

#include <cstddef>
#include <typeinfo>

#include "graphics/SDLConversions.h"
#include "graphics/SurfaceOps.h"

namespace Qel {
namespace {

constexpr int kBlitNoSurface = 1;
constexpr int kBlitFailed = -1;
constexpr int kFillFailed = 102;

// Registered for (SDLSurface, SDLSurface) only, so both arguments are SDL surfaces. SDL clips, takes only
// the position of the destination rectangle, and applies the source's colour key and alpha.
int32_t BlitSDLSurface(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                       const Rect* destinationRect) {
  if (!source || !destination) return kBlitNoSurface;
  SDL_Surface* from = static_cast<SDLSurface*>(source)->GetSDLSurface();
  SDL_Surface* to = static_cast<SDLSurface*>(destination)->GetSDLSurface();
  if (!from || !to) return kBlitFailed;
  SDL_Rect sdlSource;
  SDL_Rect sdlDestination;
  if (sourceRect) sdlSource = ToSdlRect(*sourceRect);
  if (destinationRect) sdlDestination = ToSdlRect(*destinationRect);
  const int result =
      SDL_UpperBlit(from, sourceRect ? &sdlSource : nullptr, to, destinationRect ? &sdlDestination : nullptr);
  return result == 0 ? 0 : kBlitFailed;
}

}  // namespace

SDLSurface::SDLSurface(SDL_Surface* surface, Ownership ownership)
    : m_surface(surface), m_ownership(ownership) {}

SDLSurface::~SDLSurface() {
  if (m_surface && m_ownership == Ownership::kOwned) SDL_FreeSurface(m_surface);
  m_surface = nullptr;
}

void SDLSurface::RegisterSurfaceOps() {
  RegisterBlitOp(typeid(SDLSurface).name(), typeid(SDLSurface).name(), BlitSDLSurface);
}

void SDLSurface::UnregisterSurfaceOps() {
  UnregisterBlitOp(typeid(SDLSurface).name(), typeid(SDLSurface).name());
}

void SDLSurface::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(DrawingSurface).name());
}

int SDLSurface::GetWidth() const {
  return m_surface ? m_surface->w : 0;
}

int SDLSurface::GetHeight() const {
  return m_surface ? m_surface->h : 0;
}

void SDLSurface::GetPixelFormat(PixelFormat& format) const {
  format = m_surface ? PixelFormatFromSDL(*m_surface->format) : kPixelFormatNone;
}

int SDLSurface::SetColorKey(const Color& key) {
  if (!m_surface) return -1;
  Color packed;
  key.ConvertTo(packed, GetPixelFormat());
  return SDL_SetColorKey(m_surface, SDL_SRCCOLORKEY, packed.GetPacked());
}

void SDLSurface::GetColorKey(Color& key) const {
  // SDL keeps a stale or zero key value while keying is off; zero unpacks to opaque black in a format
  // without alpha, which would pass for a real key.
  if (!m_surface || !(m_surface->flags & SDL_SRCCOLORKEY)) {
    key = Color::TransparentBlack(kPixelFormatA8R8G8B8);
    return;
  }
  key.Unpack(GetPixelFormat(), m_surface->format->colorkey);
}

uint8_t* SDLSurface::LockBits(const Rect* area, int& pitch, uint32_t) {
  if (!m_surface) return nullptr;
  // An area outside the image would hand out a pointer outside the pixels.
  if (area &&
      (area->Left() < 0 || area->Top() < 0 || area->Left() > area->Right() || area->Top() > area->Bottom() ||
       area->Right() > m_surface->w || area->Bottom() > m_surface->h)) {
    return nullptr;
  }
  if (SDL_LockSurface(m_surface) != 0) return nullptr;
  pitch = m_surface->pitch;
  uint8_t* bits = static_cast<uint8_t*>(m_surface->pixels);
  if (area) {
    bits += static_cast<ptrdiff_t>(area->Top()) * m_surface->pitch +
            static_cast<ptrdiff_t>(area->Left()) * m_surface->format->BytesPerPixel;
  }
  return bits;
}

int SDLSurface::UnlockBits() {
  if (m_surface) SDL_UnlockSurface(m_surface);
  return 0;
}

int SDLSurface::DrawRectangle(const Rect* area, int, const Color&, const Color& fill) {
  if (!m_surface) return kFillFailed;
  SDL_Rect sdlArea;
  if (area) sdlArea = ToSdlRect(*area);
  const Uint32 pixel = SDL_MapRGB(m_surface->format, fill.Red(), fill.Green(), fill.Blue());
  return SDL_FillRect(m_surface, area ? &sdlArea : nullptr, pixel) == 0 ? 0 : kFillFailed;
}

}  // namespace Qel
