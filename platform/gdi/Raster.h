// Pixels of a 32-bit bitmap set without blending: spans, pen stamps, lines and one-bit glyphs, all
// clipped to the bitmap.
#pragma once

#include <cstdint>

#include "platform/gdi/FontFaces.h"
#include "platform/gdi/Objects.h"

namespace plat::gdi::detail {

// left..right-1, top..bottom-1.
void FillPixels(BitmapObject& bitmap, int left, int top, int right, int bottom, uint32_t pixel);
// The glyph's top-left pixel at (x, y).
void DrawGlyph(BitmapObject& bitmap, const GlyphImage& glyph, int x, int y, uint32_t pixel);
// A pen of width pixels centred on (x, y): a square up to 2, a disc beyond.
void StampPen(BitmapObject& bitmap, int x, int y, int width, uint32_t pixel);
// From (x0, y0) to (x1, y1), the end point drawn only when asked for.
void DrawLine(BitmapObject& bitmap, int x0, int y0, int x1, int y1, bool lastPoint, int width, uint32_t pixel);

}  // namespace plat::gdi::detail
