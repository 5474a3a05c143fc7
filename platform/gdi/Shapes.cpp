// Lines, rectangles, ellipses and polygons in a context's pen and brush.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plat::gdi {
namespace {

using namespace detail;

// The context's bitmap, pen and brush, or null when dc is not a live context.
struct Tools {
  BitmapObject* bitmap = nullptr;
  const PenObject* pen = nullptr;
  const BrushObject* brush = nullptr;
  bool HasOutline() const { return pen->style != PS_NULL; }
  uint32_t Ink() const { return PixelOf(pen->color); }
  uint32_t Paint() const { return PixelOf(brush->color); }
};

bool ToolsOf(HDC dc, Tools& tools) {
  DeviceContext* context = LiveContext(dc);
  if (!context) return false;
  tools = Tools{context->bitmap, context->pen, context->brush};
  return true;
}

void Outline(const Tools& tools, const POINT* points, int count, bool closed) {
  if (!tools.HasOutline()) return;
  const int segments = closed ? count : count - 1;
  for (int i = 0; i < segments; ++i) {
    const POINT& from = points[i];
    const POINT& to = points[(i + 1) % count];
    DrawLine(*tools.bitmap, from.x, from.y, to.x, to.y, false, tools.pen->width, tools.Ink());
  }
}

void Order(int& low, int& high) {
  if (low > high) std::swap(low, high);
}

// The pixels of row y inside the ellipse inscribed in the box, as first..last (empty: first > last).
struct Span {
  int first = 1;
  int last = 0;
};

Span EllipseRow(int left, int top, int right, int bottom, int y) {
  const double cx = (left + static_cast<double>(right) - 1.0) / 2.0;
  const double cy = (top + static_cast<double>(bottom) - 1.0) / 2.0;
  const double rx = (static_cast<double>(right) - left) / 2.0;
  const double ry = (static_cast<double>(bottom) - top) / 2.0;
  if (y < top || y >= bottom) return Span{};
  const double dy = (y - cy) / ry;
  const double t = 1.0 - dy * dy;
  if (t < 0.0) return Span{};
  const double half = rx * std::sqrt(t);
  return Span{static_cast<int>(std::ceil(cx - half)), static_cast<int>(std::floor(cx + half))};
}

}  // namespace

BOOL Polyline(HDC dc, const POINT* points, int count) {
  Tools tools;
  if (!ToolsOf(dc, tools) || !points || count < 2) return FALSE;
  Outline(tools, points, count, false);
  return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  DeviceContext* context = LiveContext(dc);
  BrushObject* paint = LiveBrush(brush);
  if (!context || !rect || !paint) return 0;
  FillPixels(*context->bitmap, rect->left, rect->top, rect->right, rect->bottom, PixelOf(paint->color));
  return 1;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  Tools tools;
  if (!ToolsOf(dc, tools)) return FALSE;
  Order(left, right);
  Order(top, bottom);
  if (right == left || bottom == top) return TRUE;
  FillPixels(*tools.bitmap, left, top, right, bottom, tools.Paint());
  const POINT corners[4] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
  Outline(tools, corners, 4, true);
  // A one-pixel-high or -wide outline closes on itself: its last pixel is its first.
  if (tools.HasOutline()) StampPen(*tools.bitmap, left, top, tools.pen->width, tools.Ink());
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  Tools tools;
  if (!ToolsOf(dc, tools)) return FALSE;
  Order(left, right);
  Order(top, bottom);
  if (right == left || bottom == top) return TRUE;
  BitmapObject& bitmap = *tools.bitmap;
  const int margin = tools.pen->width + 1;
  const int firstRow = std::max(top, -margin);
  const int lastRow = std::min(bottom - 1, bitmap.height + margin);
  for (int y = firstRow; y <= lastRow; ++y) {
    const Span row = EllipseRow(left, top, right, bottom, y);
    if (row.first > row.last) continue;
    FillPixels(bitmap, row.first, y, row.last + 1, y + 1, tools.Paint());
  }
  if (!tools.HasOutline()) return TRUE;
  // The outline is every pixel of the shape with a neighbour outside it, above, below or beside.
  for (int y = firstRow; y <= lastRow; ++y) {
    const Span row = EllipseRow(left, top, right, bottom, y);
    if (row.first > row.last) continue;
    const Span above = EllipseRow(left, top, right, bottom, y - 1);
    const Span below = EllipseRow(left, top, right, bottom, y + 1);
    const int innerFirst = std::max({above.first, below.first, row.first + 1});
    const int innerLast = std::min({above.last, below.last, row.last - 1});
    const auto stamp = [&](int from, int to) {
      from = std::max(from, -margin);
      to = std::min(to, bitmap.width + margin);
      for (int x = from; x <= to; ++x) StampPen(bitmap, x, y, tools.pen->width, tools.Ink());
    };
    if (innerFirst > innerLast) {
      stamp(row.first, row.last);
    } else {
      stamp(row.first, innerFirst - 1);
      stamp(innerLast + 1, row.last);
    }
  }
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  Tools tools;
  if (!ToolsOf(dc, tools) || !points || count < 2) return FALSE;
  BitmapObject& bitmap = *tools.bitmap;
  LONG minY = points[0].y;
  LONG maxY = points[0].y;
  for (int i = 1; i < count; ++i) {
    minY = std::min(minY, points[i].y);
    maxY = std::max(maxY, points[i].y);
  }
  // Pixel centres inside by the alternate rule: each edge crossing the row's centre line toggles.
  std::vector<double> crossings;
  const int firstRow = static_cast<int>(std::max<LONG>(minY, 0));
  const int lastRow = static_cast<int>(std::min<LONG>(maxY, bitmap.height - 1));
  for (int y = firstRow; y <= lastRow; ++y) {
    const double centre = y + 0.5;
    crossings.clear();
    for (int i = 0; i < count; ++i) {
      const POINT& a = points[i];
      const POINT& b = points[(i + 1) % count];
      if (a.y == b.y) continue;
      const double lowY = std::min(a.y, b.y);
      const double highY = std::max(a.y, b.y);
      if (centre < lowY || centre >= highY) continue;
      crossings.push_back(a.x + (centre - a.y) * (static_cast<double>(b.x) - a.x) / (static_cast<double>(b.y) - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double from = std::clamp(std::ceil(crossings[i] - 0.5), -1.0, bitmap.width + 1.0);
      const double to = std::clamp(std::ceil(crossings[i + 1] - 0.5), -1.0, bitmap.width + 1.0);
      FillPixels(bitmap, static_cast<int>(from), y, static_cast<int>(to), y + 1, tools.Paint());
    }
  }
  Outline(tools, points, count, true);
  return TRUE;
}

}  // namespace plat::gdi
