// The scene's background layer: tile-map images rendered area by area, and the cell grid that renders
// them once into cached cell surfaces and blits the part of each cell that the clip shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "ImageTestSupport.h"
#include "MemoryDisplayDevice.h"
#include "MemorySurface.h"
#include "core/PixelFormat.h"
#include "core/Rect.h"
#include "graphics/SceneCellGrid.h"
#include "graphics/TileMapSurface.h"

using Qel::Point2;
using Qel::Rect;

namespace memtest {
namespace {

constexpr uint32_t kUntouched = 0xBEEF;

// A tile map that counts its renders, so a test sees which cells were rendered afresh.
class CountingTiles : public Qel::TileMapSurface {
public:
  bool Render(Qel::DrawingSurface& destination, const Rect& area) const override {
    ++renders;
    return TileMapSurface::Render(destination, area);
  }
  mutable int renders = 0;
};

// The pixels of an image of tilesWide x tilesHigh tiles of 4 x 4, each tile shown once in order; every
// pixel differs from every other, and from those of an image of another seed.
uint16_t SeededPixel(uint16_t seed, int tilesWide, int x, int y) {
  const int tile = (y / 4) * tilesWide + x / 4;
  return static_cast<uint16_t>(seed + tile * 16 + (y % 4) * 4 + x % 4);
}

std::shared_ptr<CountingTiles> SeededImage(int tilesWide, int tilesHigh, uint16_t seed) {
  const int tiles = tilesWide * tilesHigh;
  std::vector<uint8_t> indices;
  std::vector<uint16_t> pixels;
  for (int t = 0; t < tiles; ++t) {
    indices.push_back(static_cast<uint8_t>(t));
    for (int i = 0; i < 16; ++i) pixels.push_back(static_cast<uint16_t>(seed + t * 16 + i));
  }
  auto image = std::make_shared<CountingTiles>();
  EXPECT_TRUE(image->SetTiles(indices, pixels, 4, 4, tilesWide));
  return image;
}

void Fill(MemorySurface& surface, uint32_t value) {
  for (int y = 0; y < surface.GetHeight(); ++y) {
    for (int x = 0; x < surface.GetWidth(); ++x) surface.SetPixel(x, y, value);
  }
}

class TileMaps : public ImageTest {};

// A map of 3 x 2 over three tiles of 4 x 3, with tiles repeated and out of order; the expected pixels
// come from looking each pixel's tile up in the map.
struct MapFixture {
  std::vector<uint8_t> indices{2, 0, 1, 1, 1, 0};
  std::vector<uint16_t> pixels;
  MapFixture() {
    for (int t = 0; t < 3; ++t) {
      for (int i = 0; i < 12; ++i) pixels.push_back(static_cast<uint16_t>(0x1000 * (t + 1) + i));
    }
  }
  uint16_t At(int x, int y) const {
    const int tile = indices[static_cast<size_t>((y / 3) * 3 + x / 4)];
    return pixels[static_cast<size_t>(tile * 12 + (y % 3) * 4 + x % 4)];
  }
};

TEST_F(TileMaps, RenderCopiesTheCoveredTilesAndPartsOfTilesFromTheDestinationsCorner) {
  const MapFixture map;
  Qel::TileMapSurface image;
  ASSERT_TRUE(image.SetTiles(map.indices, map.pixels, 4, 3, 3));
  EXPECT_EQ(image.GetWidth(), 12);
  EXPECT_EQ(image.GetHeight(), 6);
  EXPECT_FALSE(image.HasWideIndices());
  struct Case {
    Rect area;
    Rect copied;  // the area once clipped to the image
  } cases[] = {
      {Rect(0, 0, 12, 6), Rect(0, 0, 12, 6)},
      {Rect(3, 2, 9, 5), Rect(3, 2, 9, 5)},       // partial tiles on every side
      {Rect(5, 1, 7, 2), Rect(5, 1, 7, 2)},       // within one tile
      {Rect(-4, -2, 6, 4), Rect(0, 0, 6, 4)},     // before the image
      {Rect(10, 4, 40, 30), Rect(10, 4, 12, 6)},  // past the image
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.area.Left() << "," << c.area.Top() << "," << c.area.Right() << ","
                                    << c.area.Bottom());
    MemorySurface destination(8, 8, Qel::kPixelFormatR5G6B5);
    Fill(destination, kUntouched);
    ASSERT_TRUE(image.Render(destination, c.area));
    EXPECT_FALSE(destination.IsLocked());
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int ix = c.copied.Left() + x;
        const int iy = c.copied.Top() + y;
        const bool inside = ix < c.copied.Right() && iy < c.copied.Bottom();
        ASSERT_EQ(destination.PixelAt(x, y), inside ? map.At(ix, iy) : kUntouched) << x << "," << y;
      }
    }
  }
}

TEST_F(TileMaps, SixteenBitIndicesReachTilesPastTheFirst256) {
  std::vector<uint16_t> pixels(300);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint16_t>(0x8000 + i);
  Qel::TileMapSurface image;
  ASSERT_TRUE(image.SetTiles(std::vector<uint16_t>{299, 0, 256, 255}, pixels, 1, 1, 2));
  EXPECT_TRUE(image.HasWideIndices());
  MemorySurface destination(2, 2, Qel::kPixelFormatR5G6B5);
  ASSERT_TRUE(image.Render(destination, Rect(0, 0, 2, 2)));
  EXPECT_EQ(PixelsOf(destination), (std::vector<uint32_t>{0x8000 + 299, 0x8000, 0x8000 + 256, 0x8000 + 255}));
}

TEST_F(TileMaps, RenderConvertsToTheDestinationsFormat) {
  const std::vector<uint16_t> pixels{0xF800, 0x07E0, 0x001F, 0x0000, 0xFFFF, 0x8410};
  Qel::TileMapSurface image;
  ASSERT_TRUE(image.SetTiles(std::vector<uint8_t>{0}, pixels, 3, 2, 1));
  MemorySurface argb(3, 2, Qel::kPixelFormatA8R8G8B8);
  ASSERT_TRUE(image.Render(argb, Rect(0, 0, 3, 2)));
  // 0x8410 holds 16 of 31 red, 32 of 63 green and 16 of 31 blue, each rescaled and rounded half up.
  EXPECT_EQ(PixelsOf(argb),
            (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000, 0xFFFFFFFF, 0xFF848284}));
}

TEST_F(TileMaps, ATileSetThatCannotBeDrawnLeavesNoMap) {
  const std::vector<uint16_t> fourTiles(4 * 4, 7);
  struct Case {
    const char* what;
    std::vector<uint8_t> indices;
    std::vector<uint16_t> pixels;
    int tileWidth, tileHeight, mapWidth;
  } cases[] = {
      {"no map", {}, fourTiles, 2, 2, 1},
      {"no tiles", {0}, {}, 2, 2, 1},
      {"tile width 0", {0}, fourTiles, 0, 2, 1},
      {"tile height -1", {0}, fourTiles, 2, -1, 1},
      {"map width 0", {0}, fourTiles, 2, 2, 0},
      {"map not whole rows", {0, 1, 2}, fourTiles, 2, 2, 2},
      {"strip not whole tiles", {0}, std::vector<uint16_t>(15, 7), 2, 2, 1},
      {"index past the last tile", {0, 4}, fourTiles, 2, 2, 2},
      {"image too wide to address", std::vector<uint8_t>(1 << 15, 0), std::vector<uint16_t>(1 << 16, 7),
       1 << 16, 1, 1 << 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Qel::TileMapSurface image;
    // A good set first, so that a refused one is seen to drop it.
    ASSERT_TRUE(image.SetTiles(std::vector<uint8_t>{0}, fourTiles, 2, 2, 1));
    EXPECT_FALSE(image.SetTiles(c.indices, c.pixels, c.tileWidth, c.tileHeight, c.mapWidth));
    EXPECT_FALSE(image.HasMap());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetHeight(), 0);
    MemorySurface destination(2, 2, Qel::kPixelFormatR5G6B5);
    Fill(destination, kUntouched);
    EXPECT_FALSE(image.Render(destination, Rect(0, 0, 2, 2)));
    EXPECT_EQ(PixelsOf(destination), std::vector<uint32_t>(4, kUntouched));
  }
  Qel::TileMapSurface wide;
  EXPECT_FALSE(wide.SetTiles(std::vector<uint16_t>{0, 300}, fourTiles, 2, 2, 2));
  EXPECT_FALSE(wide.HasMap());
}

TEST_F(TileMaps, RenderFailsWhenTheDestinationCannotBeLockedOrHoldsNoColours) {
  Qel::TileMapSurface image;
  ASSERT_TRUE(image.SetTiles(std::vector<uint8_t>{0}, std::vector<uint16_t>(4, 0x1234), 2, 2, 1));
  MemorySurface locked(2, 2, Qel::kPixelFormatR5G6B5);
  int pitch = 0;
  ASSERT_NE(locked.Lock(pitch, Qel::DrawingSurface::kLockRead), nullptr);
  EXPECT_FALSE(image.Render(locked, Rect(0, 0, 2, 2)));
  locked.Unlock();
  EXPECT_EQ(PixelsOf(locked), std::vector<uint32_t>(4, 0));
  MemorySurface indexed(2, 2, Qel::kPixelFormatIndexed8);
  EXPECT_FALSE(image.Render(indexed, Rect(0, 0, 2, 2)));
  EXPECT_EQ(PixelsOf(indexed), std::vector<uint32_t>(4, 0));
  // The image itself has no storage to lock.
  EXPECT_EQ(image.Lock(pitch, Qel::DrawingSurface::kLockWrite), nullptr);
}

// A grid of 16 x 16 cells drawn through the 16-bit memory display.
class CellGrid : public ImageTest {
protected:
  void SetUp() override {
    ImageTest::SetUp();
    Fill(*display.BackBuffer(), kUntouched);
    grid.SetDevice(&display);
    grid.SetCellSize(16, 16);
  }

  // Cells (row, column) for rows and columns 0..3, each with a 16 x 16 image of its own seed.
  void FillFourByFour() {
    for (uint32_t row = 0; row < 4; ++row) {
      for (uint32_t column = 0; column < 4; ++column) {
        images[row][column] = SeededImage(4, 4, Seed(row, column));
        ASSERT_TRUE(grid.SetCellImage(row, column, images[row][column]));
      }
    }
  }
  static uint16_t Seed(uint32_t row, uint32_t column) {
    return static_cast<uint16_t>(0x100 * (row * 4 + column + 1));
  }

  // The pixel a 16 x 16 image of the four-by-four block shows at plane position (x, y).
  static uint32_t PlanePixel(int x, int y) {
    return SeededPixel(Seed(static_cast<uint32_t>(y / 16), static_cast<uint32_t>(x / 16)), 4, x % 16, y % 16);
  }

  // Checks the whole back buffer: the clip's plane area at the offset, everything else untouched.
  void ExpectDrawn(const Rect& clip, const Point2& offset) {
    MemorySurface& back = *display.BackBuffer();
    for (int y = 0; y < back.GetHeight(); ++y) {
      for (int x = 0; x < back.GetWidth(); ++x) {
        const int px = x - offset.X() + clip.Left();
        const int py = y - offset.Y() + clip.Top();
        const bool shown = px >= std::max(clip.Left(), 0) && px < std::min(clip.Right(), 64) &&
                           py >= std::max(clip.Top(), 0) && py < std::min(clip.Bottom(), 64);
        ASSERT_EQ(back.PixelAt(x, y), shown ? PlanePixel(px, py) : kUntouched) << x << "," << y;
      }
    }
  }

  int TotalRenders() const {
    int total = 0;
    for (const auto& row : images) {
      for (const auto& image : row) total += image ? image->renders : 0;
    }
    return total;
  }

  Qel::SceneCellGrid grid;
  std::shared_ptr<CountingTiles> images[4][4];
};

TEST_F(CellGrid, AGridOfNoCellSizeDrawsNothingWhateverTheClip) {
  FillFourByFour();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const Rect clips[] = {Rect(0, 0, 64, 64), Rect(-30, -30, 20, 20), Rect(10, 10, 10, 10), Rect(40, 40, 0, 0),
                        Rect(kMin, kMin, kMax, kMax)};
  const int sizes[][2] = {{0, 0}, {0, 16}, {16, 0}, {-16, 16}};
  for (const auto& size : sizes) {
    grid.SetCellSize(size[0], size[1]);
    for (const Rect& clip : clips) EXPECT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2(5, 5)));
  }
  // And a grid as it is built, without a device.
  Qel::SceneCellGrid fresh;
  EXPECT_TRUE(fresh.Draw(*display.BackBuffer(), clips[0], Point2()));
  EXPECT_EQ(grid.GetCacheSize(), 0u);
  EXPECT_TRUE(display.requests.empty());
  EXPECT_TRUE(MemorySurface::Calls().empty());
  EXPECT_EQ(TotalRenders(), 0);
  ExpectDrawn(Rect(), Point2());
}

TEST_F(CellGrid, EachVisibleCellIsRenderedOnceAndOnlyItsVisiblePartIsBlitted) {
  FillFourByFour();
  // 20 x 20 from (8, 4): cuts cells (0, 0), (0, 1), (1, 0) and (1, 1), each in part.
  const Rect clip(8, 4, 28, 24);
  const Point2 offset(100, 50);
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, offset));
  // Room for the 3 x 3 cells a 20 x 20 clip can cut wherever it lies, made at the cell size.
  EXPECT_EQ(grid.GetCacheSize(), 9u);
  ASSERT_EQ(display.requests.size(), 9u);
  for (const auto& request : display.requests) {
    EXPECT_EQ(request.width, 16);
    EXPECT_EQ(request.height, 16);
    EXPECT_EQ(request.format, Qel::kPixelFormatR5G6B5);
    EXPECT_EQ(request.kind, Qel::DisplayDevice::kSurfaceDefault);
  }
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(images[row][column]->renders, row < 2 && column < 2 ? 1 : 0) << row << "," << column;
    }
  }
  const std::vector<MemorySurface::Call> calls = MemorySurface::Calls();
  ASSERT_EQ(calls.size(), 4u);
  const Rect sources[] = {Rect(8, 4, 16, 16), Rect(0, 4, 12, 16), Rect(8, 0, 16, 8), Rect(0, 0, 12, 8)};
  const Rect destinations[] = {Rect(100, 50, 108, 62), Rect(108, 50, 120, 62), Rect(100, 62, 108, 70),
                               Rect(108, 62, 120, 70)};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(calls[i].destination, display.BackBuffer());
    EXPECT_EQ(calls[i].sourceRect, sources[i]) << i;
    EXPECT_EQ(calls[i].destinationRect, destinations[i]) << i;
  }
  ExpectDrawn(clip, offset);

  // Again, and moved by a few pixels within the same cells: blits from the cache, no render.
  MemorySurface::Calls().clear();
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, offset));
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), Rect(9, 5, 29, 25), offset));
  EXPECT_EQ(TotalRenders(), 4);
  EXPECT_EQ(MemorySurface::Calls().size(), 8u);
  EXPECT_EQ(display.requests.size(), 9u);
}

TEST_F(CellGrid, ANegativeClipStartsAtRowAndColumnZero) {
  FillFourByFour();
  const Rect clip(-10, -6, 20, 20);
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2(0, 0)));
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(images[row][column]->renders, row < 2 && column < 2 ? 1 : 0) << row << "," << column;
    }
  }
  // Cell (0, 0) whole at (10, 6), where the plane's origin lies within the clip.
  ASSERT_FALSE(MemorySurface::Calls().empty());
  EXPECT_EQ(MemorySurface::Calls()[0].sourceRect, Rect(0, 0, 16, 16));
  EXPECT_EQ(MemorySurface::Calls()[0].destinationRect, Rect(10, 6, 26, 22));
  ExpectDrawn(clip, Point2(0, 0));

  // A clip wholly before the plane's origin shows nothing.
  MemorySurface::Calls().clear();
  EXPECT_TRUE(grid.Draw(*display.BackBuffer(), Rect(-40, -40, -1, -1), Point2()));
  EXPECT_TRUE(MemorySurface::Calls().empty());
}

TEST_F(CellGrid, AFullCacheReusesAnEntryOfACellOutsideTheClipAndShowsOnlyTheSmallerImage) {
  // One row of cells: 0..3 with whole images, 4 with an image of 8 x 12 over a larger cell.
  std::shared_ptr<CountingTiles> row[5];
  for (uint32_t column = 0; column < 4; ++column) {
    row[column] = SeededImage(4, 4, static_cast<uint16_t>(0x1000 * (column + 1)));
    ASSERT_TRUE(grid.SetCellImage(0, column, row[column]));
  }
  row[4] = SeededImage(2, 3, 0x7000);
  ASSERT_TRUE(grid.SetCellImage(0, 4, row[4]));
  // A clip of one whole cell: room for 2 x 2 entries.
  const auto cellClip = [](int column) { return Rect(column * 16, 0, column * 16 + 16, 16); };
  for (int column = 0; column < 4; ++column)
    ASSERT_TRUE(grid.Draw(*display.BackBuffer(), cellClip(column), Point2()));
  EXPECT_EQ(grid.GetCacheSize(), 4u);
  // Free entries are taken from the back, so column 3 holds the first entry.
  const Qel::DrawingSurface* firstEntry = MemorySurface::Calls().back().source;

  // Every entry is taken; the first one of a cell outside the clip's, column 3's, goes to column 4.
  MemorySurface::Calls().clear();
  Fill(*display.BackBuffer(), kUntouched);
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), cellClip(4), Point2(0, 0)));
  EXPECT_EQ(row[4]->renders, 1);
  ASSERT_EQ(MemorySurface::Calls().size(), 1u);
  EXPECT_EQ(MemorySurface::Calls()[0].source, firstEntry);
  EXPECT_EQ(MemorySurface::Calls()[0].sourceRect, Rect(0, 0, 8, 12));
  // Column 3's pixels are still in the entry beyond the small image; none of them reaches the target.
  const MemorySurface& back = *display.BackBuffer();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const uint32_t expected = x < 8 && y < 12 ? SeededPixel(0x7000, 2, x, y) : kUntouched;
      ASSERT_EQ(back.PixelAt(x, y), expected) << x << "," << y;
    }
  }
  // Column 3 comes back rendered anew; a cell still cached is not.
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), cellClip(0), Point2()));
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), cellClip(3), Point2()));
  EXPECT_EQ(row[0]->renders, 1);
  EXPECT_EQ(row[3]->renders, 2);
  EXPECT_EQ(display.requests.size(), 4u);
}

TEST_F(CellGrid, WithoutDeviceOrSurfacesCellsAreSkipped) {
  FillFourByFour();
  const Rect clip(0, 0, 32, 32);
  // No device: the entries have no surfaces.
  grid.SetDevice(nullptr);
  EXPECT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(grid.GetCacheSize(), 9u);
  // A device that makes none.
  grid.SetDevice(&display);
  display.refuseAll = true;
  EXPECT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(TotalRenders(), 0);
  EXPECT_TRUE(MemorySurface::Calls().empty());
  ExpectDrawn(Rect(), Point2());

  // Once the device makes surfaces again, the entries it failed to fill get theirs when a cell needs one.
  display.refuseAll = false;
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(TotalRenders(), 4);
  ExpectDrawn(clip, Point2());
}

TEST_F(CellGrid, AnImageThatCannotRenderFailsTheDrawAndIsTriedAgainNextTime) {
  FillFourByFour();
  auto blank = std::make_shared<CountingTiles>();
  ASSERT_TRUE(grid.SetCellImage(0, 1, blank));
  const Rect clip(0, 0, 32, 16);
  EXPECT_FALSE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  // The other cell is still drawn; the failed one is not blitted.
  ASSERT_EQ(MemorySurface::Calls().size(), 1u);
  EXPECT_EQ(MemorySurface::Calls()[0].destinationRect, Rect(0, 0, 16, 16));
  EXPECT_FALSE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(blank->renders, 2);

  // Given tiles, the image is rendered then: nothing took the failed render for its own.
  ASSERT_TRUE(blank->SetTiles(std::vector<uint8_t>{0}, std::vector<uint16_t>(16 * 16, 0x0123), 16, 16, 1));
  EXPECT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(blank->renders, 3);
  EXPECT_EQ(display.BackBuffer()->PixelAt(20, 5), 0x0123u);
}

TEST_F(CellGrid, AFailedBlitFailsTheDrawAndTheOtherCellsAreStillTried) {
  FillFourByFour();
  // No blit is registered from a memory surface onto a tile map.
  Qel::TileMapSurface target;
  EXPECT_FALSE(grid.Draw(target, Rect(0, 0, 32, 16), Point2()));
  EXPECT_EQ(images[0][0]->renders, 1);
  EXPECT_EQ(images[0][1]->renders, 1);
}

TEST_F(CellGrid, ChangingAnImageTheCellSizeOrTheDeviceDropsWhatIsCached) {
  FillFourByFour();
  const Rect clip(0, 0, 16, 16);
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  // A new image for a cached cell is rendered, not the old one blitted.
  auto replacement = SeededImage(4, 4, 0x0700);
  ASSERT_TRUE(grid.SetCellImage(0, 0, replacement));
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(replacement->renders, 1);
  EXPECT_EQ(display.BackBuffer()->PixelAt(3, 3), SeededPixel(0x0700, 4, 3, 3));
  // A removed image leaves its cell undrawn.
  ASSERT_TRUE(grid.SetCellImage(0, 0, nullptr));
  Fill(*display.BackBuffer(), kUntouched);
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), clip, Point2()));
  EXPECT_EQ(display.BackBuffer()->PixelAt(3, 3), kUntouched);

  // New cells need surfaces of the new size, made by the device now set.
  grid.SetCellSize(8, 8);
  EXPECT_EQ(grid.GetCacheSize(), 0u);
  MemoryDisplayDevice other(64, 64, Qel::kPixelFormatR5G6B5, false);
  grid.SetDevice(&other);
  ASSERT_TRUE(grid.Draw(*display.BackBuffer(), Rect(8, 0, 16, 8), Point2()));
  ASSERT_FALSE(other.requests.empty());
  EXPECT_EQ(other.requests[0].width, 8);
  EXPECT_EQ(images[0][1]->renders, 1);

  // No cell lies so far that no clip reaches it.
  EXPECT_FALSE(grid.SetCellImage(0x80000000u, 0, replacement));
  EXPECT_FALSE(grid.SetCellImage(0, 0xFFFFFFFFu, replacement));
}

TEST_F(CellGrid, AHugeClipOverSmallCellsMakesNoMoreEntriesThanThereAreImages) {
  grid.SetCellSize(1, 1);
  auto image = SeededImage(1, 1, 0x0100);
  ASSERT_TRUE(grid.SetCellImage(0, 0, image));
  ASSERT_TRUE(grid.SetCellImage(7, 9, image));
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  EXPECT_TRUE(grid.Draw(*display.BackBuffer(), Rect(kMin, kMin, kMax, kMax), Point2()));
  EXPECT_TRUE(grid.Draw(*display.BackBuffer(), Rect(0, 0, 800, 600), Point2()));
  EXPECT_EQ(grid.GetCacheSize(), 2u);
  EXPECT_EQ(display.BackBuffer()->PixelAt(9, 7), SeededPixel(0x0100, 1, 0, 0));
}

}  // namespace
}  // namespace memtest
