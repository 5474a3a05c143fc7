// Frame images on the SDL display: kept images converted to the 16-bit screen at their first draw,
// tiles that draw as the whole image, and stored-image sets as SDL surfaces.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "SDLTestSupport.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "graphics/CompressedSurface.h"
#include "graphics/FrameImage.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "graphics/StoredImageSet.h"
#include "support/ImageRecords.h"

namespace {

using sdltest::PixelAt;
using sdltest::SdlOf;
using sdltest::Snapshot;

std::unique_ptr<Qel::MemStream> StreamOf(const std::vector<uint8_t>& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  block->Allocate(static_cast<uint32_t>(bytes.size()));
  std::memcpy(block->GetData(), bytes.data(), bytes.size());
  auto stream = std::make_unique<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

class SDLFrameImageTest : public sdltest::SDLDeviceTest {
protected:
  void SetUp() override {
    Qel::SDLSurface::RegisterSurfaceOps();
    Qel::MultiSurface::RegisterSurfaceOps();
    Qel::CompressedSurface::RegisterSurfaceOps();
    ASSERT_EQ(Open(Qel::SDLDisplayDevice::kSurfaceModeSoftware), 0);
    screen = SdlOf(device->GetBackBuffer());
  }
  void TearDown() override {
    Qel::SetMaxSurfaceSize(0, 0);
    Qel::MultiSurface::UnregisterSurfaceOps();
    Qel::CompressedSurface::UnregisterSurfaceOps();
    sdltest::SDLDeviceTest::TearDown();
  }

  std::shared_ptr<Qel::DrawingSurface> ReadImage(const test::FrameImageRecord& record, bool keep) {
    auto stream = StreamOf(test::WriteFrameImage(record));
    std::shared_ptr<Qel::DrawingSurface> surface;
    EXPECT_TRUE(Qel::ReadFrameImage(7, surface, device.get(), *stream, keep));
    return surface;
  }

  void Clear() { SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 30, 60, 90)); }

  SDL_Surface* screen = nullptr;
};

TEST_F(SDLFrameImageTest, AKeptImageBecomesA16BitSurfaceAtItsFirstDraw) {
  ASSERT_EQ(screen->format->BitsPerPixel, 16);
  const std::vector<uint32_t> pixels = {0xFFFF8007, 0xFFFF00FF, 0xFF00FF00, 0xFFFFFFFF};
  const auto surface = ReadImage(test::ArgbImage(2, 2, pixels), true);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->GetStorageWidth(), 0);
  Clear();
  const uint32_t background = PixelAt(screen, 11, 10);
  ASSERT_EQ(surface->BlitTo(device->GetBackBuffer(), Qel::Point2(10, 10)), 0);
  EXPECT_EQ(surface->GetPixelFormat().GetBitsPerPixel(), 16);
  EXPECT_EQ(surface->GetStorageWidth(), 2);
  // Converted by the engine at inflation, rounding (blue 7 is 1 of 31, where SDL's blit truncates it to
  // 0); the key pixel keeps the background.
  EXPECT_EQ(PixelAt(screen, 10, 10), 0xFC01u);
  EXPECT_EQ(PixelAt(screen, 11, 10), background);
  EXPECT_EQ(PixelAt(screen, 10, 11), 0x07E0u);
  EXPECT_EQ(PixelAt(screen, 11, 11), 0xFFFFu);
}

TEST_F(SDLFrameImageTest, UnderA128LimitA129By129ImageIsFourTilesThatDrawAsTheWhole) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 129; ++y) {
    for (int x = 0; x < 129; ++x)
      pixels.push_back(0xFF000000u | uint32_t(x * 2) << 16 | uint32_t(y * 2) << 8 | 0x40);
  }
  const test::FrameImageRecord record = test::ArgbImage(129, 129, pixels);
  for (const bool keep : {false, true}) {
    SCOPED_TRACE(keep ? "kept" : "eager");
    Qel::SetMaxSurfaceSize(0, 0);
    const auto whole = ReadImage(record, keep);
    Clear();
    ASSERT_EQ(whole->BlitTo(device->GetBackBuffer(), Qel::Point2(5, 7)), 0);
    const std::vector<uint8_t> expected = Snapshot(screen);

    Qel::SetMaxSurfaceSize(128, 128);
    const auto tiled = ReadImage(record, keep);
    Qel::DrawingSurface* inner = tiled.get();
    if (keep) inner = dynamic_cast<Qel::CompressedSurface*>(inner)->EnsureUncompressed();
    auto* multi = dynamic_cast<Qel::MultiSurface*>(inner);
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->GetTileCount(), 4u);
    Clear();
    ASSERT_EQ(tiled->BlitTo(device->GetBackBuffer(), Qel::Point2(5, 7)), 0);
    EXPECT_EQ(Snapshot(screen), expected);
  }
}

TEST_F(SDLFrameImageTest, AStoredSetIsAnSDLSurfaceOfItsFormat) {
  test::StoredImage image;
  image.width = 2;
  image.height = 1;
  image.bitsPerPixel = 16;
  image.pitch = 4;
  image.data = {0x00, 0xFF, 0x0F, 0xF0};
  test::StoredImageSetRecord set;
  set.bitsPerPixel = 16;
  set.images = {image};
  auto stream = StreamOf(test::WriteStoredImageSet(set));
  std::shared_ptr<Qel::DrawingSurface> surface;
  ASSERT_TRUE(Qel::ReadStoredImageSet(surface, device.get(), *stream));
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->GetPixelFormat(), Qel::kPixelFormatA4R4G4B4);
  EXPECT_EQ(PixelAt(SdlOf(surface.get()), 0, 0), 0xFF00u);
  EXPECT_EQ(PixelAt(SdlOf(surface.get()), 1, 0), 0xF00Fu);
}

}  // namespace
