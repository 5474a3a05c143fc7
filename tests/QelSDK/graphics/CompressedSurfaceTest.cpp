// Compressed surfaces: what answers without inflating, what inflates and how often, and what the
// inner surface becomes.
#include <cstdint>
#include <memory>
#include <vector>

#include "ImageTestSupport.h"
#include "graphics/CompressedSurface.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "support/ImageRecords.h"

namespace memtest {
namespace {

class CompressedSurfaceTest : public ImageTest {
protected:
  // An A8R8G8B8 image with rows of pitch bytes, kept compressed.
  std::unique_ptr<Qel::CompressedSurface> Compressed(Qel::DisplayDevice& device, int width, int height,
                                                     int pitch, const Qel::Color& key = Qel::Color()) {
    pixels = Gradient(width, height);
    const std::vector<uint8_t> zlib = test::Compress(test::PackPixels32(pixels, width, height, pitch));
    auto bytes = std::make_unique<uint8_t[]>(zlib.size());
    std::copy(zlib.begin(), zlib.end(), bytes.get());
    return std::make_unique<Qel::CompressedSurface>(
        &device, std::move(bytes), static_cast<uint32_t>(zlib.size()), width, height, pitch,
        Qel::kPixelFormatA8R8G8B8, Qel::DisplayDevice::kSurfaceDefault, key);
  }

  std::vector<uint32_t> pixels;
};

TEST_F(CompressedSurfaceTest, SizesFormatAndKeyAnswerWithoutInflating) {
  const auto surface = Compressed(blending, 7, 3, 40);
  EXPECT_EQ(surface->GetWidth(), 7);
  EXPECT_EQ(surface->GetHeight(), 3);
  EXPECT_EQ(surface->GetStorageWidth(), 0);
  EXPECT_EQ(surface->GetStorageHeight(), 0);
  EXPECT_EQ(surface->GetPixelFormat(), Qel::kPixelFormatA8R8G8B8);
  EXPECT_FALSE(surface->HasColorKey());
  const Qel::Color key(1, 2, 3, 255);
  EXPECT_EQ(surface->SetColorKey(key), 0);
  EXPECT_FALSE(surface->GetColorKey() != key);
  surface->UnlockBits();
  EXPECT_FALSE(surface->IsUncompressed());
  EXPECT_TRUE(blending.requests.empty());

  // The key set while compressed is the inner surface's.
  ASSERT_NE(surface->EnsureUncompressed(), nullptr);
  EXPECT_FALSE(surface->EnsureUncompressed()->GetColorKey() != key);
  EXPECT_EQ(blending.requests[0].kind, Qel::DisplayDevice::kSurfaceDefault);
}

TEST_F(CompressedSurfaceTest, AnyPixelAccessInflatesOnceAndReachesTheInnerSurface) {
  const auto surface = Compressed(blending, 5, 4, 24);
  int pitch = 0;
  uint8_t* bits = surface->Lock(pitch, Qel::DrawingSurface::kLockRead);
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(pitch, 20);
  EXPECT_EQ(bits[20 * 3 + 4 * 4], static_cast<uint8_t>(pixels[3 * 5 + 4]));
  EXPECT_EQ(surface->Unlock(), 0);
  const size_t asked = blending.requests.size();
  EXPECT_FALSE(surface->EnsureUncompressed()->IsLocked());
  EXPECT_EQ(surface->GetStorageWidth(), 5);
  EXPECT_EQ(surface->GetStorageHeight(), 4);

  EXPECT_EQ(surface->DrawRectangle(nullptr, 1, Qel::Color(), Qel::Color(0, 0, 0xFF, 0xFF)), 0);
  EXPECT_EQ(dynamic_cast<MemorySurface*>(surface->EnsureUncompressed())->PixelAt(2, 2), 0xFF0000FFu);
  EXPECT_EQ(surface->DrawLine(Qel::Point2(), Qel::Point2(1, 1), 1, Qel::Color()), 1);
  EXPECT_EQ(blending.requests.size(), asked);
}

TEST_F(CompressedSurfaceTest, BlittingOntoACompressedSurfaceInflatesIt) {
  const auto surface = Compressed(blending, 4, 4, 16);
  MemorySurface source(2, 2, Qel::kPixelFormatA8R8G8B8);
  source.SetPixel(1, 1, 0xFF123456);
  // Copies look no base of the source up against the destination's own class, so the copy entry onto
  // a compressed surface is never reached; blits are.
  EXPECT_EQ(source.CopyTo(surface.get(), Qel::Point2(0, 0)), 1);
  EXPECT_FALSE(surface->IsUncompressed());
  EXPECT_EQ(source.BlitTo(surface.get(), Qel::Point2(2, 2)), 0);
  auto* inner = dynamic_cast<MemorySurface*>(surface->EnsureUncompressed());
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->PixelAt(3, 3), 0xFF123456u);
  EXPECT_EQ(inner->PixelAt(0, 0), pixels[0]);
}

TEST_F(CompressedSurfaceTest, ADeviceThatMakesNoSurfaceLeavesTheSurfaceEmptyForGood) {
  blending.refuseAll = true;
  const auto surface = Compressed(blending, 4, 4, 16);
  EXPECT_EQ(surface->CopyTo(blending.BackBuffer(), Qel::Point2(0, 0)), 1);
  EXPECT_TRUE(surface->IsUncompressed());
  const size_t asked = blending.requests.size();
  EXPECT_EQ(surface->CopyTo(blending.BackBuffer(), Qel::Point2(0, 0)), 1);
  EXPECT_EQ(blending.requests.size(), asked);
  EXPECT_EQ(surface->GetWidth(), 0);
  EXPECT_EQ(surface->GetPixelFormat(), Qel::kPixelFormatNone);
}

TEST_F(CompressedSurfaceTest, BeyondTheLargestSurfaceTheInnerSurfaceIsTiledBy128) {
  Qel::SetMaxSurfaceSize(128, 128);
  const auto surface = Compressed(display, 129, 129, 129 * 4);
  auto* tiled = dynamic_cast<Qel::MultiSurface*>(surface->EnsureUncompressed());
  ASSERT_NE(tiled, nullptr);
  EXPECT_EQ(tiled->GetTileCount(), 4u);
  EXPECT_EQ(tiled->GetTile(3)->GetWidth(), 1);
  // Converted to the 16-bit display first: the tiles' rows are 2 x 129 bytes apart.
  EXPECT_EQ(display.requests[0].pitch, 258);
  EXPECT_EQ(tiled->GetPixelFormat(), Qel::kPixelFormatR5G6B5);
  EXPECT_EQ(surface->GetStorageWidth(), 129);
  int pitch = 5;
  EXPECT_EQ(surface->Lock(pitch, Qel::DrawingSurface::kLockRead), nullptr);
}

}  // namespace
}  // namespace memtest
