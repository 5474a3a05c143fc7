// Conversions between the engine's rectangles and pixel formats and SDL's.
#pragma once

#include "core/PixelFormat.h"
#include "core/Rect.h"

struct SDL_Rect;
struct SDL_PixelFormat;

namespace Qel {

// x = left, y = top, w = right - left, h = bottom - top. SDL keeps these in 16 bits: values beyond that
// are held at the nearest edge of the range (a negative extent becomes 0) instead of wrapping, so that
// something far off the screen stays off it.
SDL_Rect ToSdlRect(const Rect& rect);

// The SDL format's bits per pixel with its red, green, blue and alpha masks.
PixelFormat PixelFormatFromSDL(const SDL_PixelFormat& format);

}  // namespace Qel
