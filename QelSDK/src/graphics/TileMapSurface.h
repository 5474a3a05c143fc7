// A background image built from tiles: a map of tile indices over a strip of equally sized 16-bit
// tiles. It has no pixels of its own to lock; it renders any area of itself into another surface.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Color.h"
#include "core/PixelFormat.h"
#include "core/Rect.h"
#include "graphics/DrawingSurface.h"

namespace Qel {

class TileMapSurface : public DrawingSurface {
public:
  // The tiles' pixels are R5G6B5.
  static constexpr PixelFormat kTileFormat = kPixelFormatR5G6B5;

  // Without a map until SetTiles succeeds: 0 by 0, and every render fails.
  TileMapSurface();
  ~TileMapSurface() override;

  // tilePixels holds whole tiles of tileWidth x tileHeight pixels one after another, rows packed; the
  // map holds whole rows of mapWidth indices, row by row. False, leaving the surface without a map,
  // for a size below 1, a map or strip that is not whole rows or tiles, an index past the last tile or
  // an image too wide or high to address; a map the image cannot be drawn from is never kept.
  bool SetTiles(std::vector<uint8_t> indices, std::vector<uint16_t> tilePixels, int tileWidth, int tileHeight,
                int mapWidth);
  bool SetTiles(std::vector<uint16_t> indices, std::vector<uint16_t> tilePixels, int tileWidth,
                int tileHeight, int mapWidth);
  bool HasMap() const { return m_mapHeight > 0; }
  bool HasWideIndices() const { return m_wideIndices; }

  // Writes the image's pixels of area, clipped to the image and to the destination, into the
  // destination from its top-left corner, converted to the destination's format. The destination is
  // locked for writing and unlocked again. False without a map, when the destination cannot be locked
  // or its format is not one of packed colour channels; true when the clipped area is empty.
  virtual bool Render(DrawingSurface& destination, const Rect& area) const;

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  int GetWidth() const override;
  int GetHeight() const override;
  void GetPixelFormat(PixelFormat& format) const override { format = kTileFormat; }
  int SetColorKey(const Color& key) override;
  void GetColorKey(Color& key) const override { key = m_colorKey; }
  // The image exists only as tiles, so there is no whole-image storage to hand out.
  uint8_t* LockBits(const Rect*, int&, uint32_t) override { return nullptr; }
  int UnlockBits() override { return 0; }

  using DrawingSurface::GetColorKey;
  using DrawingSurface::GetPixelFormat;

private:
  bool Adopt(size_t indexCount, std::vector<uint16_t>& tilePixels, int tileWidth, int tileHeight,
             int mapWidth, bool wideIndices);
  uint32_t IndexAt(size_t position) const;
  void Clear();

  std::vector<uint8_t> m_indices8;
  std::vector<uint16_t> m_indices16;
  // Which of the two maps is in use: the 16-bit one when set.
  bool m_wideIndices = false;
  std::vector<uint16_t> m_tilePixels;
  int m_tileWidth = 0;
  int m_tileHeight = 0;
  int m_mapWidth = 0;
  // Rows of the map; 0 without a map.
  int m_mapHeight = 0;
  Color m_colorKey = Color::TransparentBlack(kPixelFormatA8R8G8B8);
};

}  // namespace Qel
