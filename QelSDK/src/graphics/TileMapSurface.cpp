// A background image built from tiles: a map of tile indices over a strip of equally sized 16-bit
// tiles.
#include "graphics/TileMapSurface.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <typeinfo>
#include <utility>

#include "graphics/ConvertPixels.h"

namespace Qel {
namespace {

bool ConvertibleTarget(const PixelFormat& format) {
  return format.GetBytesPerPixel() != 0 && !format.IsIndexed();
}

}  // namespace

TileMapSurface::TileMapSurface() = default;

TileMapSurface::~TileMapSurface() = default;

bool TileMapSurface::SetTiles(std::vector<uint8_t> indices, std::vector<uint16_t> tilePixels, int tileWidth,
                              int tileHeight, int mapWidth) {
  Clear();
  m_indices8 = std::move(indices);
  if (!Adopt(m_indices8.size(), tilePixels, tileWidth, tileHeight, mapWidth, false)) {
    Clear();
    return false;
  }
  return true;
}

bool TileMapSurface::SetTiles(std::vector<uint16_t> indices, std::vector<uint16_t> tilePixels, int tileWidth,
                              int tileHeight, int mapWidth) {
  Clear();
  m_indices16 = std::move(indices);
  if (!Adopt(m_indices16.size(), tilePixels, tileWidth, tileHeight, mapWidth, true)) {
    Clear();
    return false;
  }
  return true;
}

bool TileMapSurface::Adopt(size_t indexCount, std::vector<uint16_t>& tilePixels, int tileWidth,
                           int tileHeight, int mapWidth, bool wideIndices) {
  if (tileWidth < 1 || tileHeight < 1 || mapWidth < 1 || indexCount == 0) return false;
  if (indexCount % static_cast<size_t>(mapWidth) != 0) return false;
  const size_t mapHeight = indexCount / static_cast<size_t>(mapWidth);
  // Every pixel position of the image must fit the rectangles it is addressed with.
  constexpr int64_t kMaxExtent = std::numeric_limits<int32_t>::max();
  if (int64_t{mapWidth} * tileWidth > kMaxExtent || static_cast<int64_t>(mapHeight) > kMaxExtent / tileHeight)
    return false;
  const size_t tileSize = static_cast<size_t>(tileWidth) * static_cast<size_t>(tileHeight);
  if (tilePixels.empty() || tilePixels.size() % tileSize != 0) return false;
  const size_t tileCount = tilePixels.size() / tileSize;
  m_wideIndices = wideIndices;
  for (size_t i = 0; i < indexCount; ++i) {
    if (IndexAt(i) >= tileCount) return false;
  }
  m_tilePixels = std::move(tilePixels);
  m_tileWidth = tileWidth;
  m_tileHeight = tileHeight;
  m_mapWidth = mapWidth;
  m_mapHeight = static_cast<int>(mapHeight);
  return true;
}

uint32_t TileMapSurface::IndexAt(size_t position) const {
  return m_wideIndices ? m_indices16[position] : m_indices8[position];
}

void TileMapSurface::Clear() {
  m_indices8.clear();
  m_indices16.clear();
  m_wideIndices = false;
  m_tilePixels.clear();
  m_tileWidth = 0;
  m_tileHeight = 0;
  m_mapWidth = 0;
  m_mapHeight = 0;
}

bool TileMapSurface::Render(DrawingSurface& destination, const Rect& area) const {
  if (!HasMap()) return false;
  const PixelFormat format = destination.GetPixelFormat();
  if (!ConvertibleTarget(format)) return false;
  // The part of the area that lies on the image and, from the destination's corner, on the destination.
  const int left = std::max(area.Left(), 0);
  const int top = std::max(area.Top(), 0);
  const int right =
      static_cast<int>(std::min<int64_t>({area.Right(), GetWidth(), int64_t{left} + destination.GetWidth()}));
  const int bottom = static_cast<int>(
      std::min<int64_t>({area.Bottom(), GetHeight(), int64_t{top} + destination.GetHeight()}));
  if (right <= left || bottom <= top) return true;
  int pitch = 0;
  uint8_t* bits = destination.Lock(pitch, kLockWrite);
  if (!bits) return false;
  const ptrdiff_t bytesPerPixel = format.GetBytesPerPixel();
  const bool sameFormat = format == kTileFormat;
  const size_t tilePitch = static_cast<size_t>(m_tileWidth) * sizeof(uint16_t);
  const size_t tileSize = static_cast<size_t>(m_tileWidth) * static_cast<size_t>(m_tileHeight);
  // Tile by tile, a row of tiles at a time; a tile the area covers only in part gives its covered block.
  for (int y = top; y < bottom;) {
    const int tileRow = y / m_tileHeight;
    const int inTileY = y % m_tileHeight;
    const int rows = std::min(m_tileHeight - inTileY, bottom - y);
    for (int x = left; x < right;) {
      const int tileColumn = x / m_tileWidth;
      const int inTileX = x % m_tileWidth;
      const int columns = std::min(m_tileWidth - inTileX, right - x);
      const size_t tile = IndexAt(static_cast<size_t>(tileRow) * static_cast<size_t>(m_mapWidth) +
                                  static_cast<size_t>(tileColumn));
      const uint16_t* from = m_tilePixels.data() + tile * tileSize +
                             static_cast<size_t>(inTileY) * static_cast<size_t>(m_tileWidth) +
                             static_cast<size_t>(inTileX);
      uint8_t* to = bits + ptrdiff_t{y - top} * pitch + ptrdiff_t{x - left} * bytesPerPixel;
      if (sameFormat) {
        for (int r = 0; r < rows; ++r) {
          std::memcpy(to + ptrdiff_t{r} * pitch, from + ptrdiff_t{r} * m_tileWidth,
                      static_cast<size_t>(columns) * sizeof(uint16_t));
        }
      } else {
        ConvertPixels(columns, rows, from, static_cast<int>(tilePitch), kTileFormat, to, pitch, format);
      }
      x += columns;
    }
    y += rows;
  }
  destination.Unlock();
  return true;
}

void TileMapSurface::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(DrawingSurface).name());
}

int TileMapSurface::GetWidth() const {
  return m_mapWidth * m_tileWidth;
}

int TileMapSurface::GetHeight() const {
  return m_mapHeight * m_tileHeight;
}

int TileMapSurface::SetColorKey(const Color& key) {
  m_colorKey = key;
  return 0;
}

}  // namespace Qel
