// The Direct3D back buffer: the one destination of every frame, drawn on through the sprite object and a
// scratch texture.
#include "graphics/D3DBackBuffer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "graphics/D3DRects.h"
#include "graphics/D3DTexture.h"
#include "graphics/WinBrush.h"
#include "graphics/WinDC.h"
#include "graphics/WinDibSection.h"
#include "graphics/WinPen.h"
#include "graphics/WinSelectGuard.h"
#include "platform/d3d8/D3DX8.h"

namespace d3d = plat::d3d8;

namespace Qel {
namespace {

constexpr int kFailed = 1;
constexpr int kNoSprite = 102;
constexpr int kEmptyArea = -1;

// GDI draws each shape in marker colours, so that afterwards a pixel tells which part of the shape drew
// it, whatever its real colour: black would otherwise look like the untouched background.
constexpr plat::gdi::COLORREF kOutlineMarker = plat::gdi::RGB(0, 0, 1);
constexpr plat::gdi::COLORREF kFillMarker = plat::gdi::RGB(0, 0, 2);
constexpr uint32_t kOutlinePixel = 0x000001;  // a DIB pixel is 0x00RRGGBB
constexpr uint32_t kFillPixel = 0x000002;

uint32_t PackedArgb(const Color& color) {
  Color packed;
  return color.ConvertTo(packed, kPixelFormatA8R8G8B8).GetPacked();
}

bool IsEmpty(int width, int height) {
  return width <= 0 || height <= 0;
}

// GDI coordinates relative to the box's corner; false when one does not fit an int.
bool Relative(int64_t value, int64_t origin, int& out) {
  const int64_t relative = value - origin;
  if (relative < std::numeric_limits<int>::min() || relative > std::numeric_limits<int>::max()) return false;
  out = static_cast<int>(relative);
  return true;
}

// The box that holds every point, right and bottom outside it; false when that edge does not fit.
bool PointsBox(const Point2* points, int count, Rect& box) {
  int32_t minX = points[0].X(), minY = points[0].Y(), maxX = minX, maxY = minY;
  for (int i = 1; i < count; ++i) {
    minX = std::min(minX, points[i].X());
    minY = std::min(minY, points[i].Y());
    maxX = std::max(maxX, points[i].X());
    maxY = std::max(maxY, points[i].Y());
  }
  const int64_t right = int64_t{maxX} + 1;
  const int64_t bottom = int64_t{maxY} + 1;
  if (right > std::numeric_limits<int32_t>::max() || bottom > std::numeric_limits<int32_t>::max())
    return false;
  box = Rect(minX, minY, static_cast<int32_t>(right), static_cast<int32_t>(bottom));
  return true;
}

}  // namespace

D3DBackBuffer::D3DBackBuffer(d3d::IDirect3DSurface8* surface, d3d::ID3DXSprite* sprite,
                             d3d::IDirect3DTexture8* scratch)
    : D3DSurface(surface), m_sprite(sprite), m_scratch(scratch) {}

D3DBackBuffer::~D3DBackBuffer() {
  if (m_scratch) m_scratch->Release();
  if (m_sprite) m_sprite->Release();
}

void D3DBackBuffer::BeginSpriteBatch() {
  if (m_sprite) m_sprite->Begin();
}

void D3DBackBuffer::EndSpriteBatch() {
  if (m_sprite) m_sprite->End();
}

int D3DBackBuffer::DrawTexture(d3d::IDirect3DTexture8* texture, const Rect* sourceRect,
                               const Rect* destinationRect) {
  if (!texture) return kFailed;
  if (!m_sprite) return kNoSprite;
  const int targetWidth = destinationRect ? destinationRect->Width() : GetWidth();
  const int targetHeight = destinationRect ? destinationRect->Height() : GetHeight();
  int sourceWidth = 0;
  int sourceHeight = 0;
  if (sourceRect) {
    sourceWidth = sourceRect->Width();
    sourceHeight = sourceRect->Height();
  } else {
    d3d::D3DSURFACE_DESC desc;
    if (d3d::FAILED(texture->GetLevelDesc(0, &desc))) return kFailed;
    sourceWidth = static_cast<int>(desc.Width);
    sourceHeight = static_cast<int>(desc.Height);
  }
  // Nothing to draw, and nothing to divide by.
  if (IsEmpty(targetWidth, targetHeight) || IsEmpty(sourceWidth, sourceHeight)) return 0;
  const d3d::D3DXVECTOR2 scale{static_cast<float>(targetWidth) / static_cast<float>(sourceWidth),
                               static_cast<float>(targetHeight) / static_cast<float>(sourceHeight)};
  const d3d::RECT source = sourceRect ? ToD3DRect(*sourceRect) : d3d::RECT{};
  const d3d::D3DXVECTOR2 translation = destinationRect
                                           ? d3d::D3DXVECTOR2{static_cast<float>(destinationRect->Left()),
                                                              static_cast<float>(destinationRect->Top())}
                                           : d3d::D3DXVECTOR2{0.0f, 0.0f};
  const d3d::HRESULT drawn = m_sprite->Draw(texture, sourceRect ? &source : nullptr, &scale, nullptr, 0.0f,
                                            destinationRect ? &translation : nullptr, 0xFFFFFFFFu);
  return d3d::SUCCEEDED(drawn) ? 0 : kFailed;
}

int D3DBackBuffer::DrawTexture(const D3DTexture& texture, const Rect* sourceRect,
                               const Rect* destinationRect) {
  const Rect whole(0, 0, texture.GetWidth(), texture.GetHeight());
  return DrawTexture(texture.GetD3DTexture(), sourceRect ? sourceRect : &whole, destinationRect);
}

int D3DBackBuffer::DrawSurface(const D3DSurface& source, const Rect* sourceRect,
                               const Rect* destinationRect) {
  const PixelFormat format = source.GetPixelFormat();
  const int areaWidth = sourceRect ? sourceRect->Width() : source.GetWidth();
  const int areaHeight = sourceRect ? sourceRect->Height() : source.GetHeight();
  const Rect target = destinationRect ? *destinationRect : Rect(0, 0, GetWidth(), GetHeight());
  // The straight copy cannot clip, so only an area that lies inside takes it; the rest is clipped by the
  // sprite draw.
  const bool inside = target.Left() >= 0 && target.Top() >= 0 && target.Right() <= GetWidth() &&
                      target.Bottom() <= GetHeight();
  if (!source.HasColorKey() && !format.HasAlpha() && format == GetPixelFormat() && inside &&
      areaWidth == target.Width() && areaHeight == target.Height()) {
    return CopySurface(source, *this, sourceRect, &target);
  }

  d3d::IDirect3DSurface8* from = source.GetD3DSurface();
  d3d::IDirect3DSurface8* scratchLevel = nullptr;
  if (!from || !m_scratch || d3d::FAILED(m_scratch->GetSurfaceLevel(0, &scratchLevel)) || !scratchLevel) {
    return kFailed;
  }
  if (IsEmpty(areaWidth, areaHeight)) {
    scratchLevel->Release();
    return kEmptyArea;
  }
  d3d::D3DSURFACE_DESC scratchDesc;
  m_scratch->GetLevelDesc(0, &scratchDesc);
  const int tileWidth = std::min(areaWidth, static_cast<int>(scratchDesc.Width));
  const int tileHeight = std::min(areaHeight, static_cast<int>(scratchDesc.Height));
  const int left = sourceRect ? sourceRect->Left() : 0;
  const int top = sourceRect ? sourceRect->Top() : 0;
  const int right = sourceRect ? sourceRect->Right() : source.GetWidth();
  const int bottom = sourceRect ? sourceRect->Bottom() : source.GetHeight();
  const uint32_t key = source.HasColorKey() ? PackD3DColorKey(source.GetColorKey()) : 0;
  int result = kEmptyArea;
  for (int tx = 0; tx * tileWidth < areaWidth && result != kFailed; ++tx) {
    for (int ty = 0; ty * tileHeight < areaHeight; ++ty) {
      const int tileLeft = left + tx * tileWidth;
      const int tileTop = top + ty * tileHeight;
      const d3d::RECT tile{tileLeft, tileTop, std::min(tileLeft + tileWidth, right),
                           std::min(tileTop + tileHeight, bottom)};
      const int width = tile.right - tile.left;
      const int height = tile.bottom - tile.top;
      const d3d::RECT scratchArea{0, 0, width, height};
      if (d3d::FAILED(d3d::D3DXLoadSurfaceFromSurface(scratchLevel, nullptr, &scratchArea, from, nullptr,
                                                      &tile, d3d::D3DX_FILTER_NONE, key))) {
        result = kFailed;
        break;
      }
      const Rect scratchRect(0, 0, width, height);
      const int x = target.Left() + tx * tileWidth;
      const int y = target.Top() + ty * tileHeight;
      const Rect placed(x, y, x + width, y + height);
      result = DrawTexture(m_scratch, &scratchRect, &placed);
    }
  }
  scratchLevel->Release();
  return result;
}

int D3DBackBuffer::DrawLine(const Point2& from, const Point2& to, int penWidth, const Color& color) {
  const Point2 points[] = {from, to};
  return DrawPolyline(points, 2, penWidth, color);
}

int D3DBackBuffer::DrawPolyline(const Point2* points, int count, int penWidth, const Color& color) {
  if (!points || count < 2) return kFailed;
  Rect box;
  if (!PointsBox(points, count, box)) return kFailed;
  return DrawShape(Shape::kPolyline, box, points, count, penWidth, color, nullptr);
}

int D3DBackBuffer::DrawPolygon(const Point2* points, int count, int penWidth, const Color& outline,
                               const Color& fill) {
  if (!points || count < 3) return kFailed;
  Rect box;
  if (!PointsBox(points, count, box)) return kFailed;
  return DrawShape(Shape::kPolygon, box, points, count, penWidth, outline, &fill);
}

int D3DBackBuffer::DrawEllipse(const Rect* area, int penWidth, const Color& outline, const Color& fill) {
  return DrawShape(Shape::kEllipse, area ? *area : Rect(0, 0, GetWidth(), GetHeight()), nullptr, 0, penWidth,
                   outline, &fill);
}

int D3DBackBuffer::DrawRectangle(const Rect* area, int penWidth, const Color& outline, const Color& fill) {
  return DrawShape(Shape::kRectangle, area ? *area : Rect(0, 0, GetWidth(), GetHeight()), nullptr, 0,
                   penWidth, outline, &fill);
}

int D3DBackBuffer::DrawShape(Shape shape, const Rect& box, const Point2* points, int count, int penWidth,
                             const Color& outline, const Color* fill) {
  // Only the part of the box on the back buffer can show: the bitmap covers that part alone, so a shape
  // far larger than the screen costs no more than the screen.
  Rect visible;
  Rect::Intersect(box, Rect(0, 0, GetWidth(), GetHeight()), visible);
  if (visible.IsEmpty()) return 0;
  const int width = visible.Width();
  const int height = visible.Height();

  WinDC dc;
  WinDibSection bitmap;
  if (!dc.CreateCompatible(nullptr) || !bitmap.Create(dc.GetHandle(), width, height, 32)) return kFailed;
  bool drawn = false;
  {
    WinSelectGuard bitmapSelection(dc.GetHandle(), bitmap.GetHandle());
    WinPen pen;
    WinBrush brush;
    if (!bitmapSelection.IsValid() || !pen.Create(plat::gdi::PS_SOLID, penWidth, kOutlineMarker))
      return kFailed;
    if (fill && !brush.CreateSolid(kFillMarker)) return kFailed;
    WinSelectGuard penSelection(dc.GetHandle(), pen.GetHandle());
    WinSelectGuard brushSelection(dc.GetHandle(), fill ? brush.GetHandle() : nullptr);
    if (!penSelection.IsValid() || (fill && !brushSelection.IsValid())) return kFailed;
    if (shape == Shape::kPolyline || shape == Shape::kPolygon) {
      std::vector<plat::gdi::POINT> relative(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) {
        int x = 0;
        int y = 0;
        if (!Relative(points[i].X(), visible.Left(), x) || !Relative(points[i].Y(), visible.Top(), y)) {
          return kFailed;
        }
        relative[static_cast<size_t>(i)] = plat::gdi::POINT{x, y};
      }
      drawn = shape == Shape::kPolyline ? dc.Polyline(relative.data(), count) != 0
                                        : dc.Polygon(relative.data(), count) != 0;
    } else {
      int left = 0, top = 0, right = 0, bottom = 0;
      if (!Relative(box.Left(), visible.Left(), left) || !Relative(box.Top(), visible.Top(), top) ||
          !Relative(box.Right(), visible.Left(), right) || !Relative(box.Bottom(), visible.Top(), bottom)) {
        return kFailed;
      }
      drawn = shape == Shape::kEllipse ? dc.Ellipse(left, top, right, bottom) != 0
                                       : dc.Rectangle(left, top, right, bottom) != 0;
    }
  }
  if (!drawn) return kFailed;

  auto* pixels = static_cast<uint32_t*>(bitmap.GetBits());
  if (!pixels) return kFailed;
  const uint32_t outlineValue = PackedArgb(outline);
  const uint32_t fillValue = fill ? PackedArgb(*fill) : 0;
  const size_t total = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (size_t i = 0; i < total; ++i) {
    const uint32_t pixel = pixels[i] & 0xFFFFFFu;
    pixels[i] = pixel == kOutlinePixel ? outlineValue : pixel == kFillPixel ? fillValue : 0;
  }
  return DrawPicture(pixels, visible);
}

int D3DBackBuffer::DrawPicture(const uint32_t* pixels, const Rect& box) {
  if (!m_scratch) return kFailed;
  d3d::IDirect3DSurface8* scratchLevel = nullptr;
  if (d3d::FAILED(m_scratch->GetSurfaceLevel(0, &scratchLevel)) || !scratchLevel) return kFailed;
  d3d::D3DSURFACE_DESC desc;
  m_scratch->GetLevelDesc(0, &desc);
  const int tileWidth = std::min(box.Width(), static_cast<int>(desc.Width));
  const int tileHeight = std::min(box.Height(), static_cast<int>(desc.Height));
  const d3d::UINT pitch = static_cast<d3d::UINT>(box.Width()) * 4;
  int result = 0;
  for (int left = 0; left < box.Width() && result == 0; left += tileWidth) {
    for (int top = 0; top < box.Height() && result == 0; top += tileHeight) {
      const int width = std::min(tileWidth, box.Width() - left);
      const int height = std::min(tileHeight, box.Height() - top);
      const d3d::RECT scratchArea{0, 0, width, height};
      const d3d::RECT part{left, top, left + width, top + height};
      if (d3d::FAILED(d3d::D3DXLoadSurfaceFromMemory(scratchLevel, nullptr, &scratchArea, pixels,
                                                     d3d::D3DFMT_A8R8G8B8, pitch, nullptr, &part,
                                                     d3d::D3DX_FILTER_NONE, 0))) {
        result = kFailed;
        break;
      }
      const Rect scratchRect(0, 0, width, height);
      const Rect placed(box.Left() + left, box.Top() + top, box.Left() + left + width,
                        box.Top() + top + height);
      result = DrawTexture(m_scratch, &scratchRect, &placed);
    }
  }
  scratchLevel->Release();
  return result;
}

}  // namespace Qel
