// The background layer of a scene: cells of a tiled background, rendered once into a pool of cached
// cell surfaces and blitted from there.
#include "graphics/SceneCellGrid.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/TileMapSurface.h"

namespace Qel {
namespace {

constexpr int64_t kMaxCoordinate = std::numeric_limits<int32_t>::max();

// Rounded toward plus infinity; divisor above 0.
int64_t CeilDiv(int64_t value, int64_t divisor) {
  const int64_t quotient = value / divisor;
  return value % divisor != 0 && value > 0 ? quotient + 1 : quotient;
}

}  // namespace

bool SceneCellGrid::CellRange::Contains(uint32_t row, uint32_t column) const {
  return row >= firstRow && row < lastRow && column >= firstColumn && column < lastColumn;
}

SceneCellGrid::SceneCellGrid() = default;

SceneCellGrid::~SceneCellGrid() {
  ReleaseCache();
  m_cells.clear();
}

void SceneCellGrid::SetDevice(DisplayDevice* device) {
  m_device = device;
  ReleaseCache();
}

void SceneCellGrid::SetCellSize(int width, int height) {
  m_cellWidth = width;
  m_cellHeight = height;
  ReleaseCache();
}

bool SceneCellGrid::SetCellImage(uint32_t row, uint32_t column, std::shared_ptr<TileMapSurface> image) {
  // No clip reaches further rows or columns, and the largest index marks a free cache entry.
  if (row > kMaxCoordinate || column > kMaxCoordinate) return false;
  for (CacheEntry& entry : m_cache) {
    if (entry.row == row && entry.column == column) entry.row = entry.column = kFree;
  }
  auto rowIt = m_cells.find(row);
  if (!image) {
    if (rowIt == m_cells.end()) return true;
    if (rowIt->second.erase(column) != 0) --m_imageCount;
    if (rowIt->second.empty()) m_cells.erase(rowIt);
    return true;
  }
  std::shared_ptr<TileMapSurface>& slot = m_cells[row][column];
  if (!slot) ++m_imageCount;
  slot = std::move(image);
  return true;
}

std::shared_ptr<DrawingSurface> SceneCellGrid::NewCacheSurface() const {
  if (!m_device) return nullptr;
  return std::shared_ptr<DrawingSurface>(
      m_device->CreateSurface(m_cellWidth, m_cellHeight, DisplayDevice::kSurfaceDefault));
}

void SceneCellGrid::GrowCache(int64_t clipWidth, int64_t clipHeight) {
  // As many cells as a clip of this size can cut, where it lies anywhere; but never more than there
  // are images, since an entry holds one of them, and a huge clip over small cells must not ask for
  // more surfaces than could ever be used.
  const int64_t rows = CeilDiv(clipHeight, m_cellHeight) + 1;
  const int64_t columns = CeilDiv(clipWidth, m_cellWidth) + 1;
  const int64_t limit = static_cast<int64_t>(std::min<size_t>(m_imageCount, kMaxCoordinate));
  const int64_t wanted = rows > limit / columns ? limit : std::min(rows * columns, limit);
  const size_t count = static_cast<size_t>(wanted);
  while (m_cache.size() < count) m_cache.push_back({kFree, kFree, NewCacheSurface()});
}

SceneCellGrid::CacheEntry* SceneCellGrid::FindEntry(uint32_t row, uint32_t column, const CellRange& range) {
  CacheEntry* lastFree = nullptr;
  CacheEntry* firstOutside = nullptr;
  for (CacheEntry& entry : m_cache) {
    if (entry.row == row && entry.column == column) return &entry;
    if (entry.row == kFree && entry.column == kFree) {
      lastFree = &entry;
    } else if (!firstOutside && !range.Contains(entry.row, entry.column)) {
      firstOutside = &entry;
    }
  }
  return lastFree ? lastFree : firstOutside;
}

bool SceneCellGrid::Draw(DrawingSurface& target, const Rect& clip, const Point2& offset) {
  if (m_cellWidth < 1 || m_cellHeight < 1) return true;
  const int64_t clipLeft = clip.Left();
  const int64_t clipTop = clip.Top();
  const int64_t clipRight = clip.Right();
  const int64_t clipBottom = clip.Bottom();
  // A clip without area shows no cell, and its extents would give the cache a nonsense size.
  if (clipRight <= clipLeft || clipBottom <= clipTop) return true;
  GrowCache(clipRight - clipLeft, clipBottom - clipTop);

  const int64_t cellWidth = m_cellWidth;
  const int64_t cellHeight = m_cellHeight;
  const CellRange range{std::max<int64_t>(clipTop, 0) / cellHeight, CeilDiv(clipBottom, cellHeight),
                        std::max<int64_t>(clipLeft, 0) / cellWidth, CeilDiv(clipRight, cellWidth)};
  bool drawn = true;
  for (auto rowIt = m_cells.lower_bound(static_cast<uint32_t>(range.firstRow));
       rowIt != m_cells.end() && rowIt->first < range.lastRow; ++rowIt) {
    const uint32_t row = rowIt->first;
    auto& columns = rowIt->second;
    for (auto it = columns.lower_bound(static_cast<uint32_t>(range.firstColumn));
         it != columns.end() && it->first < range.lastColumn; ++it) {
      const uint32_t column = it->first;
      TileMapSurface& image = *it->second;
      // The cell's overlap with the clip, in plane coordinates.
      const int64_t cellLeft = column * cellWidth;
      const int64_t cellTop = row * cellHeight;
      const int64_t left = std::max(cellLeft, clipLeft);
      const int64_t top = std::max(cellTop, clipTop);
      const int64_t right = std::min(cellLeft + cellWidth, clipRight);
      const int64_t bottom = std::min(cellTop + cellHeight, clipBottom);
      if (right <= left || bottom <= top) continue;

      CacheEntry* entry = FindEntry(row, column, range);
      if (!entry) continue;
      // A surface the device could not make before may be made now.
      if (!entry->surface) entry->surface = NewCacheSurface();
      if (!entry->surface) continue;
      if (entry->row != row || entry->column != column) {
        entry->row = row;
        entry->column = column;
        const Rect area(0, 0, std::min(image.GetWidth(), m_cellWidth),
                        std::min(image.GetHeight(), m_cellHeight));
        if (!image.Render(*entry->surface, area)) {
          // What the surface holds now is no render of this cell: it must not be blitted, now or later.
          entry->row = entry->column = kFree;
          drawn = false;
          continue;
        }
      }

      // The visible part in the cell's own coordinates, no larger than the image.
      const Rect source(static_cast<int32_t>(left - cellLeft), static_cast<int32_t>(top - cellTop),
                        static_cast<int32_t>(std::min<int64_t>(right - cellLeft, image.GetWidth())),
                        static_cast<int32_t>(std::min<int64_t>(bottom - cellTop, image.GetHeight())));
      if (source.Right() <= source.Left() || source.Bottom() <= source.Top()) continue;
      // The visible part's own corner, not the cell's, goes where it lies relative to the clip.
      const Point2 at =
          Point2(static_cast<int32_t>(left - clipLeft), static_cast<int32_t>(top - clipTop)) + offset;
      if (entry->surface->BlitTo(&target, &source, at) != 0) drawn = false;
    }
  }
  return drawn;
}

}  // namespace Qel
