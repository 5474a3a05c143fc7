// A tiled surface: an image larger than the device allows, held as a grid of device surfaces that
// draws as one.
#include "graphics/MultiSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <typeinfo>

#include "graphics/DisplayDevice.h"
#include "graphics/SurfaceOps.h"

namespace Qel {
namespace {

constexpr int kDrawFailed = 1;

int32_t CopyTiles(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                  const Rect* destinationRect) {
  auto* tiled = dynamic_cast<MultiSurface*>(source);
  return tiled ? tiled->Draw(destination, sourceRect, destinationRect, false) : 0;
}

int32_t BlitTiles(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                  const Rect* destinationRect) {
  auto* tiled = dynamic_cast<MultiSurface*>(source);
  return tiled ? tiled->Draw(destination, sourceRect, destinationRect, true) : 0;
}

int32_t RefuseTiledDestination(DrawingSurface*, DrawingSurface* destination, const Rect*, const Rect*) {
  return dynamic_cast<MultiSurface*>(destination) ? kDrawFailed : 0;
}

// An image coordinate of the source rectangle mapped into the destination rectangle: positions scale
// with the sizes, so that scaled tiles meet edge to edge.
int32_t Map(int32_t at, int32_t sourceStart, int32_t destinationStart, float scale) {
  const double mapped = static_cast<double>(destinationStart) +
                        std::trunc(static_cast<double>(int64_t{at} - sourceStart) * scale);
  return static_cast<int32_t>(
      std::clamp(mapped, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

}  // namespace

std::unique_ptr<MultiSurface> MultiSurface::Create(DisplayDevice* device, int tileWidth, int tileHeight,
                                                   const void* pixels, int width, int height, int pitch,
                                                   const PixelFormat& format, int kind,
                                                   const Color* colorKey) {
  if (width < 1 || height < 1 || tileWidth < 1 || tileHeight < 1) return nullptr;
  const int columns = static_cast<int>((int64_t{width} + tileWidth - 1) / tileWidth);
  const int rows = static_cast<int>((int64_t{height} + tileHeight - 1) / tileHeight);
  std::unique_ptr<MultiSurface> tiled(new MultiSurface(width, height, columns, tileWidth, tileHeight));
  tiled->m_tiles.reserve(static_cast<size_t>(rows) * columns);
  const auto* bytes = static_cast<const uint8_t*>(pixels);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const int w = static_cast<int>(std::min<int64_t>(tileWidth, int64_t{width} - int64_t{c} * tileWidth));
      const int h =
          static_cast<int>(std::min<int64_t>(tileHeight, int64_t{height} - int64_t{r} * tileHeight));
      const uint8_t* start =
          bytes + int64_t{r} * tileHeight * pitch + int64_t{c} * tileWidth * format.GetBytesPerPixel();
      DrawingSurface* tile =
          device ? device->CreateSurfaceFromPixels(start, w, h, pitch, format, kind, colorKey) : nullptr;
      tiled->m_tiles.emplace_back(tile);
    }
  }
  return tiled;
}

void MultiSurface::RegisterSurfaceOps() {
  const char* tiled = typeid(MultiSurface).name();
  const char* any = typeid(DrawingSurface).name();
  RegisterCopyOp(tiled, any, CopyTiles);
  RegisterBlitOp(tiled, any, BlitTiles);
  RegisterCopyOp(any, tiled, RefuseTiledDestination);
  RegisterBlitOp(any, tiled, RefuseTiledDestination);
}

void MultiSurface::UnregisterSurfaceOps() {
  const char* tiled = typeid(MultiSurface).name();
  const char* any = typeid(DrawingSurface).name();
  UnregisterCopyOp(tiled, any);
  UnregisterBlitOp(tiled, any);
  UnregisterCopyOp(any, tiled);
  UnregisterBlitOp(any, tiled);
}

int MultiSurface::Draw(DrawingSurface* destination, const Rect* sourceRect, const Rect* destinationRect,
                       bool blit) {
  const Rect whole(0, 0, m_width, m_height);
  const Rect s = sourceRect ? *sourceRect : whole;
  if (s.Width() <= 0 || s.Height() <= 0) return 0;
  if (m_tiles.empty()) return kDrawFailed;
  const Rect d = destinationRect ? *destinationRect
                                 : Rect(0, 0, destination ? destination->GetWidth() : 0,
                                        destination ? destination->GetHeight() : 0);
  const float sx = static_cast<float>(d.Width()) / static_cast<float>(s.Width());
  const float sy = static_cast<float>(d.Height()) / static_cast<float>(s.Height());

  // Only the tiles the source rectangle overlaps inside the image are drawn.
  Rect visible;
  Rect::Intersect(s, whole, visible);
  if (visible.IsEmpty()) return 0;
  const int rows = static_cast<int>(m_tiles.size() / m_columns);
  const int firstColumn = visible.Left() / m_tileWidth;
  const int lastColumn = std::min((visible.Right() - 1) / m_tileWidth, m_columns - 1);
  const int firstRow = visible.Top() / m_tileHeight;
  const int lastRow = std::min((visible.Bottom() - 1) / m_tileHeight, rows - 1);

  int result = 0;
  for (int r = firstRow; r <= lastRow; ++r) {
    for (int c = firstColumn; c <= lastColumn; ++c) {
      const int x0 = c * m_tileWidth;
      const int y0 = r * m_tileHeight;
      Rect part;
      Rect::Intersect(visible, Rect(x0, y0, x0 + m_tileWidth, y0 + m_tileHeight), part);
      if (part.IsEmpty()) continue;
      DrawingSurface* tile = m_tiles[static_cast<size_t>(r) * m_columns + c].get();
      if (!tile) {
        result = kDrawFailed;
        continue;
      }
      const Rect local(part.Left() - x0, part.Top() - y0, part.Right() - x0, part.Bottom() - y0);
      const Rect placed(Map(part.Left(), s.Left(), d.Left(), sx), Map(part.Top(), s.Top(), d.Top(), sy),
                        Map(part.Right(), s.Left(), d.Left(), sx), Map(part.Bottom(), s.Top(), d.Top(), sy));
      const int status = blit ? tile->BlitRectTo(destination, &local, &placed)
                              : tile->CopyRectTo(destination, &local, &placed);
      if (status != 0) result = status;
    }
  }
  return result;
}

void MultiSurface::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(DrawingSurface).name());
}

void MultiSurface::GetPixelFormat(PixelFormat& format) const {
  format = !m_tiles.empty() && m_tiles.front() ? m_tiles.front()->GetPixelFormat() : kPixelFormatNone;
}

int MultiSurface::SetColorKey(const Color& key) {
  int result = 0;
  for (const auto& tile : m_tiles) {
    if (tile) result = tile->SetColorKey(key);
  }
  return result;
}

void MultiSurface::GetColorKey(Color& key) const {
  key = !m_tiles.empty() && m_tiles.front() ? m_tiles.front()->GetColorKey() : Color();
}

uint8_t* MultiSurface::LockBits(const Rect*, int& pitch, uint32_t) {
  pitch = 0;
  return nullptr;
}

}  // namespace Qel
