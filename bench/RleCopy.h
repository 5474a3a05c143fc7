// A copy of an SDL surface with SDL's run-length acceleration on its colour key or surface alpha, so
// that a bare SDL reference can also be measured at its quickest, beside the plain one.
#pragma once

#include <SDL.h>

namespace bench {

// Owned by the caller (SDL_FreeSurface); null when SDL cannot copy the surface.
inline SDL_Surface* RleCopy(SDL_Surface* source) {
  SDL_Surface* copy = SDL_ConvertSurface(source, source->format, source->flags & ~SDL_RLEACCEL);
  if (!copy) return nullptr;
  if (source->flags & SDL_SRCCOLORKEY)
    SDL_SetColorKey(copy, SDL_SRCCOLORKEY | SDL_RLEACCEL, source->format->colorkey);
  if (source->flags & SDL_SRCALPHA) SDL_SetAlpha(copy, SDL_SRCALPHA | SDL_RLEACCEL, source->format->alpha);
  return copy;
}

}  // namespace bench
