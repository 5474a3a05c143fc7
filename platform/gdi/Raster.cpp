// Pixels of a 32-bit bitmap set without blending, clipped to the bitmap.
#include "platform/gdi/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plat::gdi::detail {

void FillPixels(BitmapObject& bitmap, int left, int top, int right, int bottom, uint32_t pixel) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, bitmap.width);
  bottom = std::min(bottom, bitmap.height);
  for (int y = top; y < bottom; ++y) std::fill(bitmap.Row(y) + left, bitmap.Row(y) + std::max(left, right), pixel);
}

void DrawGlyph(BitmapObject& bitmap, const GlyphImage& glyph, int x, int y, uint32_t pixel) {
  const int firstRow = std::max(0, -y);
  const int lastRow = std::min(glyph.rows, bitmap.height - y);
  const int firstColumn = std::max(0, -x);
  const int lastColumn = std::min(glyph.width, bitmap.width - x);
  for (int row = firstRow; row < lastRow; ++row) {
    const uint8_t* bits = glyph.bits.data() + static_cast<size_t>(row) * glyph.pitch;
    uint32_t* out = bitmap.Row(y + row) + x;
    for (int column = firstColumn; column < lastColumn; ++column) {
      if (bits[column >> 3] & (0x80 >> (column & 7))) out[column] = pixel;
    }
  }
}

void StampPen(BitmapObject& bitmap, int x, int y, int width, uint32_t pixel) {
  if (width <= 1) {
    if (x >= 0 && y >= 0 && x < bitmap.width && y < bitmap.height) bitmap.Row(y)[x] = pixel;
    return;
  }
  const int low = -(width - 1) / 2;
  const int high = width / 2;
  if (width == 2) {
    FillPixels(bitmap, x + low, y + low, x + high + 1, y + high + 1, pixel);
    return;
  }
  // Centred on the pixel for odd widths, between pixels for even ones.
  const double centre = (low + high) / 2.0;
  const double radius2 = width * width / 4.0;
  for (int dy = low; dy <= high; ++dy) {
    const double ty = dy - centre;
    int first = high + 1;
    int last = low - 1;
    for (int dx = low; dx <= high; ++dx) {
      const double tx = dx - centre;
      if (tx * tx + ty * ty <= radius2) {
        first = std::min(first, dx);
        last = std::max(last, dx);
      }
    }
    if (first <= last) FillPixels(bitmap, x + first, y + dy, x + last + 1, y + dy + 1, pixel);
  }
}

namespace {

// Cuts the segment to the box (Liang-Barsky); false when nothing of it lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double minX, double minY, double maxX,
                 double maxY) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - minX, maxX - x0, y0 - minY, maxY - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double startX = x0;
  const double startY = y0;
  x0 = startX + t0 * dx;
  y0 = startY + t0 * dy;
  x1 = startX + t1 * dx;
  y1 = startY + t1 * dy;
  return true;
}

}  // namespace

void DrawLine(BitmapObject& bitmap, int x0, int y0, int x1, int y1, bool lastPoint, int width, uint32_t pixel) {
  // A segment reaching far outside the bitmap is cut to its neighbourhood first, so that a stray
  // coordinate costs no more steps than the bitmap has pixels.
  const int margin = width + 2;
  const auto outside = [&](int x, int y) {
    return x < -margin || y < -margin || x > bitmap.width + margin || y > bitmap.height + margin;
  };
  if (outside(x0, y0) || outside(x1, y1)) {
    double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
    if (!ClipSegment(fx0, fy0, fx1, fy1, -margin, -margin, bitmap.width + margin, bitmap.height + margin)) return;
    if (outside(x1, y1)) lastPoint = true;
    x0 = static_cast<int>(std::lround(fx0));
    y0 = static_cast<int>(std::lround(fy0));
    x1 = static_cast<int>(std::lround(fx1));
    y1 = static_cast<int>(std::lround(fy1));
  }
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    const bool atEnd = x0 == x1 && y0 == y1;
    if (atEnd && !lastPoint) return;
    StampPen(bitmap, x0, y0, width, pixel);
    if (atEnd) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

}  // namespace plat::gdi::detail
