// Conversions between the engine's rectangles and pixel formats and SDL's.
#include "graphics/SDLConversions.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Qel {
namespace {

template <typename Field>
Field Saturate(int64_t value) {
  return static_cast<Field>(
      std::clamp<int64_t>(value, std::numeric_limits<Field>::min(), std::numeric_limits<Field>::max()));
}

}  // namespace

SDL_Rect ToSdlRect(const Rect& rect) {
  SDL_Rect out;
  out.x = Saturate<Sint16>(rect.Left());
  out.y = Saturate<Sint16>(rect.Top());
  out.w = Saturate<Uint16>(int64_t{rect.Right()} - rect.Left());
  out.h = Saturate<Uint16>(int64_t{rect.Bottom()} - rect.Top());
  return out;
}

PixelFormat PixelFormatFromSDL(const SDL_PixelFormat& format) {
  return PixelFormat(format.BitsPerPixel, format.Rmask, format.Gmask, format.Bmask, format.Amask);
}

}  // namespace Qel
