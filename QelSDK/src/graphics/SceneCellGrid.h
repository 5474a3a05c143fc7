// The background layer of a scene, drawn before its objects: a plane cut into cells of one size, each
// of which may show a tiled background image. Images are rendered into a pool of cached cell surfaces
// and blitted from there, so a cell costs one blit per frame once it is cached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/Point2.h"
#include "core/Rect.h"

namespace Qel {

class DisplayDevice;
class DrawingSurface;
class TileMapSurface;

class SceneCellGrid {
public:
  // No device and a cell size of 0 by 0: Draw draws nothing until both are given.
  SceneCellGrid();
  ~SceneCellGrid();
  SceneCellGrid(const SceneCellGrid&) = delete;
  SceneCellGrid& operator=(const SceneCellGrid&) = delete;

  // The device makes the cache surfaces and is not owned. Both setters let go of the cached cells,
  // which were made by the old device at the old size.
  void SetDevice(DisplayDevice* device);
  void SetCellSize(int width, int height);
  int GetCellWidth() const { return m_cellWidth; }
  int GetCellHeight() const { return m_cellHeight; }

  // A null image takes the cell's away. Either way a cached render of the cell is dropped. False, and
  // nothing changes, for a row or column past the last one a cell can have on the screen plane.
  bool SetCellImage(uint32_t row, uint32_t column, std::shared_ptr<TileMapSurface> image);
  size_t GetCacheSize() const { return m_cache.size(); }

  // Draws the cells that cut the clip; the clip's top-left corner lands at the offset. False when a
  // cell's image could not be rendered or a blit failed; the other cells are still drawn.
  bool Draw(DrawingSurface& target, const Rect& clip, const Point2& offset);

private:
  static constexpr uint32_t kFree = 0xFFFFFFFF;

  struct CacheEntry {
    uint32_t row = kFree;
    uint32_t column = kFree;
    std::shared_ptr<DrawingSurface> surface;
  };

  struct CellRange {
    int64_t firstRow;
    int64_t lastRow;  // exclusive
    int64_t firstColumn;
    int64_t lastColumn;  // exclusive
    bool Contains(uint32_t row, uint32_t column) const;
  };

  void GrowCache(int64_t clipWidth, int64_t clipHeight);
  std::shared_ptr<DrawingSurface> NewCacheSurface() const;
  CacheEntry* FindEntry(uint32_t row, uint32_t column, const CellRange& range);
  void ReleaseCache() { m_cache.clear(); }

  DisplayDevice* m_device = nullptr;
  int m_cellWidth = 0;
  int m_cellHeight = 0;
  std::map<uint32_t, std::map<uint32_t, std::shared_ptr<TileMapSurface>>> m_cells;
  // Cells with an image, across all rows.
  size_t m_imageCount = 0;
  std::vector<CacheEntry> m_cache;
};

}  // namespace Qel
