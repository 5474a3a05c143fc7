// Tiled surfaces: the grid an image is cut into, and which tiles a draw visits with which rectangles.
#include <cstdint>
#include <memory>
#include <vector>

#include "ImageTestSupport.h"
#include "graphics/MultiSurface.h"
#include "support/ImageRecords.h"

namespace memtest {
namespace {

class MultiSurfaceTest : public ImageTest {
protected:
  std::unique_ptr<Qel::MultiSurface> Tiled(int width, int height, int tile = 128) {
    pixels = Gradient(width, height);
    bytes = test::PackPixels32(pixels, width, height, width * 4);
    return Qel::MultiSurface::Create(&blending, tile, tile, bytes.data(), width, height, width * 4,
                                     Qel::kPixelFormatA8R8G8B8, Qel::DisplayDevice::kSurfaceDefault, nullptr);
  }

  // Which tile each logged call drew from.
  static std::vector<int> TilesDrawn(const Qel::MultiSurface& tiled) {
    std::vector<int> indices;
    for (const MemorySurface::Call& call : MemorySurface::Calls()) {
      for (size_t i = 0; i < tiled.GetTileCount(); ++i) {
        if (tiled.GetTile(i) == call.source) indices.push_back(static_cast<int>(i));
      }
    }
    return indices;
  }

  std::vector<uint32_t> pixels;
  std::vector<uint8_t> bytes;
};

TEST_F(MultiSurfaceTest, EdgeTilesHoldWhatIsLeftAtTheirOwnSize) {
  const auto tiled = Tiled(300, 200);
  ASSERT_NE(tiled, nullptr);
  EXPECT_EQ(tiled->GetColumns(), 3);
  ASSERT_EQ(tiled->GetTileCount(), 6u);
  const int widths[] = {128, 128, 44, 128, 128, 44};
  const int heights[] = {128, 128, 128, 72, 72, 72};
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    auto* tile = dynamic_cast<MemorySurface*>(tiled->GetTile(i));
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->GetWidth(), widths[i]);
    EXPECT_EQ(tile->GetHeight(), heights[i]);
    EXPECT_EQ(blending.requests[i].pitch, 1200);
    const int x0 = static_cast<int>(i % 3) * 128;
    const int y0 = static_cast<int>(i / 3) * 128;
    EXPECT_EQ(tile->PixelAt(0, 0), pixels[y0 * 300 + x0]);
    EXPECT_EQ(tile->PixelAt(widths[i] - 1, heights[i] - 1),
              pixels[(y0 + heights[i] - 1) * 300 + x0 + widths[i] - 1]);
  }
  EXPECT_EQ(tiled->GetWidth(), 300);
  EXPECT_EQ(tiled->GetPixelFormat(), Qel::kPixelFormatA8R8G8B8);
}

TEST_F(MultiSurfaceTest, SizesBelowOneMakeNoTiledSurface) {
  const std::vector<uint8_t> none(16);
  const int sizes[][4] = {{0, 4, 2, 2}, {4, 0, 2, 2}, {4, 4, 0, 2}, {4, 4, 2, -1}};
  for (const auto& s : sizes) {
    EXPECT_EQ(Qel::MultiSurface::Create(&blending, s[2], s[3], none.data(), s[0], s[1], 16,
                                        Qel::kPixelFormatA8R8G8B8, 0, nullptr),
              nullptr);
  }
  EXPECT_TRUE(blending.requests.empty());
}

struct DrawCase {
  const char* what;
  Qel::Rect source;
  std::vector<int> tiles;
  std::vector<Qel::Rect> local;
  std::vector<Qel::Rect> placed;
};

// The inclusive ranges reached one column and row past the tiles the rectangle overlaps: on a boundary
// the cell past it is the next row's first tile, and past the image a draw took that tile's pixels.
TEST_F(MultiSurfaceTest, ADrawVisitsOnlyTheTilesItsSourceRectangleOverlaps) {
  const DrawCase cases[] = {
      {"the whole image",
       Qel::Rect(0, 0, 256, 256),
       {0, 1, 2, 3},
       {{0, 0, 128, 128}, {0, 0, 128, 128}, {0, 0, 128, 128}, {0, 0, 128, 128}},
       {{0, 0, 128, 128}, {128, 0, 256, 128}, {0, 128, 128, 256}, {128, 128, 256, 256}}},
      {"one tile ending on its boundary",
       Qel::Rect(0, 0, 128, 128),
       {0},
       {{0, 0, 128, 128}},
       {{0, 0, 128, 128}}},
      {"the right column",
       Qel::Rect(128, 0, 256, 256),
       {1, 3},
       {{0, 0, 128, 128}, {0, 0, 128, 128}},
       {{0, 0, 128, 128}, {0, 128, 128, 256}}},
      {"past the image",
       Qel::Rect(100, 120, 300, 300),
       {0, 1, 2, 3},
       {{100, 120, 128, 128}, {0, 120, 128, 128}, {100, 0, 128, 128}, {0, 0, 128, 128}},
       {{0, 0, 28, 8}, {28, 0, 156, 8}, {0, 8, 28, 136}, {28, 8, 156, 136}}},
      {"inside one tile", Qel::Rect(130, 140, 140, 150), {3}, {{2, 12, 12, 22}}, {{0, 0, 10, 10}}},
  };
  for (const DrawCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto tiled = Tiled(256, 256);
    MemorySurface::Calls().clear();
    MemorySurface destination(256, 256, Qel::kPixelFormatA8R8G8B8);
    const Qel::Rect placedAt(0, 0, c.source.Width(), c.source.Height());
    EXPECT_EQ(tiled->CopyRectTo(&destination, &c.source, &placedAt), 0);
    EXPECT_EQ(TilesDrawn(*tiled), c.tiles);
    ASSERT_EQ(MemorySurface::Calls().size(), c.local.size());
    for (size_t i = 0; i < c.local.size(); ++i) {
      EXPECT_EQ(MemorySurface::Calls()[i].sourceRect, c.local[i]) << "call " << i;
      EXPECT_EQ(MemorySurface::Calls()[i].destinationRect, c.placed[i]) << "call " << i;
    }
    // What arrives is the image's own pixels of the rectangle, nothing from another tile.
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const int ix = x + c.source.Left();
        const int iy = y + c.source.Top();
        const bool inside = ix < std::min(256, c.source.Right()) && iy < std::min(256, c.source.Bottom());
        ASSERT_EQ(destination.PixelAt(x, y), inside ? pixels[iy * 256 + ix] : 0u) << x << ", " << y;
      }
    }
  }
}

TEST_F(MultiSurfaceTest, AnEmptyOrOutsideSourceRectangleDrawsNothing) {
  const auto tiled = Tiled(256, 256);
  MemorySurface destination(16, 16, Qel::kPixelFormatA8R8G8B8);
  const Qel::Rect sources[] = {{5, 5, 5, 5}, {5, 5, 5, 20}, {5, 5, 20, 5}, {20, 20, 5, 5}, {300, 0, 400, 10}};
  for (const Qel::Rect& source : sources) {
    const Qel::Rect placed(0, 0, 10, 10);
    EXPECT_EQ(tiled->CopyRectTo(&destination, &source, &placed), 0);
    EXPECT_EQ(tiled->BlitRectTo(&destination, &source, &placed), 0);
  }
  EXPECT_TRUE(MemorySurface::Calls().empty());
}

TEST_F(MultiSurfaceTest, AScaledDrawPlacesTheTilesEdgeToEdge) {
  const auto tiled = Tiled(256, 128);
  MemorySurface destination(600, 300, Qel::kPixelFormatA8R8G8B8);
  const Qel::Rect doubled(10, 10, 522, 266);
  EXPECT_EQ(tiled->BlitRectTo(&destination, nullptr, &doubled), 0);
  ASSERT_EQ(MemorySurface::Calls().size(), 2u);
  EXPECT_EQ(MemorySurface::Calls()[0].destinationRect, Qel::Rect(10, 10, 266, 266));
  EXPECT_EQ(MemorySurface::Calls()[1].destinationRect, Qel::Rect(266, 10, 522, 266));
}

TEST_F(MultiSurfaceTest, ATileTheDeviceFailedToMakeFailsTheDrawButTheOthersAreDrawn) {
  blending.failing = {1};
  const auto tiled = Tiled(256, 128);
  ASSERT_EQ(tiled->GetTileCount(), 2u);
  EXPECT_EQ(tiled->GetTile(1), nullptr);
  MemorySurface destination(256, 128, Qel::kPixelFormatA8R8G8B8);
  EXPECT_EQ(tiled->CopyTo(&destination, Qel::Point2(0, 0)), 1);
  EXPECT_EQ(destination.PixelAt(5, 5), pixels[5 * 256 + 5]);
  EXPECT_EQ(destination.PixelAt(200, 5), 0u);

  // A first tile that is missing leaves the format and key to answer for nothing.
  blending.failing = {2};
  const auto headless = Tiled(256, 128);
  EXPECT_EQ(headless->GetPixelFormat(), Qel::kPixelFormatNone);
  EXPECT_EQ(headless->CopyTo(&destination, Qel::Point2(0, 0)), 1);
}

TEST_F(MultiSurfaceTest, ATiledSurfaceCannotBeLockedOrDrawnOntoAndKeysEveryTile) {
  const auto tiled = Tiled(200, 10);
  int pitch = 99;
  EXPECT_EQ(tiled->LockBits(nullptr, pitch, Qel::DrawingSurface::kLockRead), nullptr);
  EXPECT_EQ(pitch, 0);
  MemorySurface source(4, 4, Qel::kPixelFormatA8R8G8B8);
  EXPECT_EQ(source.CopyTo(tiled.get(), Qel::Point2(0, 0)), 1);
  EXPECT_EQ(source.BlitTo(tiled.get(), Qel::Point2(0, 0)), 1);
  const Qel::Color key(0x12, 0x34, 0x56, 0xFF);
  tiled->SetColorKey(key);
  for (size_t i = 0; i < tiled->GetTileCount(); ++i) EXPECT_FALSE(tiled->GetTile(i)->GetColorKey() != key);
  EXPECT_FALSE(tiled->GetColorKey() != key);
}

}  // namespace
}  // namespace memtest
