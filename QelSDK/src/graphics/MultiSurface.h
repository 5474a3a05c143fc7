// A tiled surface: an image larger than the device allows, held as a grid of device surfaces that
// draws as one.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "graphics/DrawingSurface.h"

namespace Qel {

class DisplayDevice;

class MultiSurface : public DrawingSurface {
public:
  // Tiles of tileWidth x tileHeight in rows from the top; the last column and row hold what is left,
  // at their own size. A tile the device fails to make stays in the grid as null. Null when any size
  // is below 1.
  static std::unique_ptr<MultiSurface> Create(DisplayDevice* device, int tileWidth, int tileHeight,
                                              const void* pixels, int width, int height, int pitch,
                                              const PixelFormat& format, int kind, const Color* colorKey);

  // Copies and blits of the tiles onto any drawing surface; drawing onto a tiled surface answers 1.
  static void RegisterSurfaceOps();
  static void UnregisterSurfaceOps();

  // Draws the tiles that the source rectangle (null: the whole image) overlaps into the destination
  // rectangle (null: the destination's size at 0, 0), each with CopyRectTo or BlitRectTo. 0 when every
  // tile drew, otherwise the last failure; an empty source rectangle draws nothing.
  int Draw(DrawingSurface* destination, const Rect* sourceRect, const Rect* destinationRect, bool blit);

  int GetColumns() const { return m_columns; }
  size_t GetTileCount() const { return m_tiles.size(); }
  // Row-major: tile (r, c) is r x columns + c. Null where the device made none.
  DrawingSurface* GetTile(size_t index) const { return m_tiles[index].get(); }

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  // The first tile's.
  void GetPixelFormat(PixelFormat& format) const override;
  // Set on every tile; read from the first.
  int SetColorKey(const Color& key) override;
  void GetColorKey(Color& key) const override;
  // A tiled surface cannot be locked: null, pitch 0.
  uint8_t* LockBits(const Rect* area, int& pitch, uint32_t flags) override;
  int UnlockBits() override { return 0; }

  using DrawingSurface::GetColorKey;
  using DrawingSurface::GetPixelFormat;

private:
  MultiSurface(int width, int height, int columns, int tileWidth, int tileHeight)
      : m_width(width),
        m_height(height),
        m_columns(columns),
        m_tileWidth(tileWidth),
        m_tileHeight(tileHeight) {}

  int m_width;
  int m_height;
  std::vector<std::shared_ptr<DrawingSurface>> m_tiles;
  int m_columns;
  // Kept apart from the tiles, since the first tile may be one the device failed to make.
  int m_tileWidth;
  int m_tileHeight;
};

}  // namespace Qel
