// Whole frames on the SDL device in each surface mode: clear, keyed and alpha blits, present; the back buffer
// is compared with the same blits done by bare SDL. Also run under Xvfb with the X11 driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "SDLTestSupport.h"

namespace {

using sdltest::PixelAt;
using sdltest::SdlOf;
using sdltest::Snapshot;
using sdltest::SurfacePtr;

constexpr int kSprite = 128;
constexpr uint8_t kBackground[3] = {30, 60, 90};

// 16-bit sprite: a checkerboard of the key colour (magenta) and a colour ramp.
std::vector<uint16_t> KeyedPixels() {
  std::vector<uint16_t> pixels(kSprite * kSprite);
  for (int y = 0; y < kSprite; ++y) {
    for (int x = 0; x < kSprite; ++x) {
      const bool key = ((x / 8) + (y / 8)) % 2 == 0;
      pixels[y * kSprite + x] =
          key ? 0xF81F : static_cast<uint16_t>((x >> 2) << 11 | (y >> 1) << 5 | ((x + y) >> 3 & 31));
    }
  }
  return pixels;
}

// 32-bit sprite whose alpha grows from 0 at the left to 255 in the last column.
uint8_t AlphaAt(int x) {
  return x == kSprite - 1 ? 255 : static_cast<uint8_t>(x * 2);
}
uint32_t RgbAt(int x, int y) {
  return static_cast<uint32_t>(y * 2) << 16 | static_cast<uint32_t>(255 - x * 2) << 8 | 128;
}
std::vector<uint32_t> AlphaPixels() {
  std::vector<uint32_t> pixels(kSprite * kSprite);
  for (int y = 0; y < kSprite; ++y) {
    for (int x = 0; x < kSprite; ++x)
      pixels[y * kSprite + x] = static_cast<uint32_t>(AlphaAt(x)) << 24 | RgbAt(x, y);
  }
  return pixels;
}

uint32_t MapRgb(SDL_Surface* surface, uint32_t rgb) {
  return SDL_MapRGB(surface->format, rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

struct Placement {
  bool keyed;
  bool hasSourceRect;
  Qel::Rect sourceRect;
  Qel::Point2 position;
};

// Inside, partly off the right and bottom edges, partly off the top-left, and a part of the sprite.
const Placement kPlacements[] = {
    {true, false, {}, {100, 50}},
    {false, false, {}, {300, 200}},
    {true, false, {}, {740, 540}},
    {false, false, {}, {-60, -30}},
    {false, true, {16, 16, 80, 80}, {500, 20}},
    {true, true, {8, 0, 72, 40}, {600, 300}},
};

class SDLFrameTest : public sdltest::SDLDeviceTest, public testing::WithParamInterface<int> {};

TEST_P(SDLFrameTest, FrameMatchesBareSDLBlits) {
  const int mode = GetParam();
  ASSERT_EQ(Open(mode), 0);
  Qel::SDLSurface::RegisterSurfaceOps();
  Qel::DrawingSurface* backBuffer = device->GetBackBuffer();
  SDL_Surface* screen = SdlOf(backBuffer);

  const std::vector<uint16_t> keyedPixels = KeyedPixels();
  const std::vector<uint32_t> alphaPixels = AlphaPixels();
  const Qel::Color magenta(255, 0, 255, 255);
  SurfacePtr keyed(device->CreateSurfaceFromPixels(keyedPixels.data(), kSprite, kSprite, kSprite * 2,
                                                   Qel::kPixelFormatR5G6B5, 0, &magenta));
  SurfacePtr alpha(device->CreateSurfaceFromPixels(alphaPixels.data(), kSprite, kSprite, kSprite * 4,
                                                   Qel::kPixelFormatA8R8G8B8, 0, nullptr));
  ASSERT_NE(keyed, nullptr);
  ASSERT_NE(alpha, nullptr);

  ASSERT_EQ(device->FillRect(nullptr, Qel::Color(kBackground[0], kBackground[1], kBackground[2], 255)), 0);
  ASSERT_EQ(device->BeginFrame(), 0);
  for (const Placement& p : kPlacements) {
    Qel::DrawingSurface* sprite = p.keyed ? keyed.get() : alpha.get();
    EXPECT_EQ(sprite->BlitTo(backBuffer, p.hasSourceRect ? &p.sourceRect : nullptr, p.position), 0);
  }
  ASSERT_EQ(device->EndFrame(), 0);

  // The same blits by bare SDL, from the same SDL surfaces onto a plain surface of the screen's format.
  SDL_Surface* reference = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 16, screen->format->Rmask,
                                                screen->format->Gmask, screen->format->Bmask, 0);
  ASSERT_NE(reference, nullptr);
  SDL_FillRect(reference, nullptr,
               SDL_MapRGB(reference->format, kBackground[0], kBackground[1], kBackground[2]));
  for (const Placement& p : kPlacements) {
    SDL_Rect source{static_cast<Sint16>(p.sourceRect.Left()), static_cast<Sint16>(p.sourceRect.Top()),
                    static_cast<Uint16>(p.sourceRect.Width()), static_cast<Uint16>(p.sourceRect.Height())};
    SDL_Rect destination{static_cast<Sint16>(p.position.X()), static_cast<Sint16>(p.position.Y()), 0, 0};
    SDL_BlitSurface(SdlOf(p.keyed ? keyed.get() : alpha.get()), p.hasSourceRect ? &source : nullptr,
                    reference, &destination);
  }
  EXPECT_TRUE(Snapshot(screen) == Snapshot(reference)) << "back buffer differs from SDL's own blits";
  SDL_FreeSurface(reference);

  // What the blits must have done, independent of SDL's arithmetic.
  const uint32_t background = SDL_MapRGB(screen->format, kBackground[0], kBackground[1], kBackground[2]);
  EXPECT_EQ(PixelAt(screen, 100, 50), background) << "key colour is transparent";
  EXPECT_EQ(PixelAt(screen, 108, 50), keyedPixels[8]) << "other pixels are copied";
  const int y = 64;
  EXPECT_EQ(PixelAt(screen, 300 + kSprite - 1, 200 + y), MapRgb(screen, RgbAt(kSprite - 1, y)));
  if (mode == Qel::SDLDisplayDevice::kSurfaceModeSoftwareAlpha) {
    EXPECT_EQ(PixelAt(screen, 300, 200 + y), background) << "alpha 0 leaves the background";
    const uint32_t half = PixelAt(screen, 300 + 64, 200 + y);
    EXPECT_NE(half, background);
    EXPECT_NE(half, MapRgb(screen, RgbAt(64, y))) << "alpha 128 blends";
  } else {
    // Without alpha blending the alpha channel is ignored: every pixel lands opaque.
    EXPECT_EQ(PixelAt(screen, 300, 200 + y), MapRgb(screen, RgbAt(0, y)));
    EXPECT_EQ(PixelAt(screen, 300 + 64, 200 + y), MapRgb(screen, RgbAt(64, y)));
  }
  EXPECT_EQ(device->Present(), 0);
}

// SDL surfaces register no copy: a copy finds no table entry, answers 1 and leaves the pixels alone.
TEST_P(SDLFrameTest, CopyBetweenSDLSurfacesDoesNothing) {
  ASSERT_EQ(Open(GetParam()), 0);
  Qel::SDLSurface::RegisterSurfaceOps();
  Qel::DrawingSurface* backBuffer = device->GetBackBuffer();
  const std::vector<uint16_t> keyedPixels = KeyedPixels();
  SurfacePtr sprite(device->CreateSurfaceFromPixels(keyedPixels.data(), kSprite, kSprite, kSprite * 2,
                                                    Qel::kPixelFormatR5G6B5, 0, nullptr));
  ASSERT_NE(sprite, nullptr);
  ASSERT_EQ(device->FillRect(nullptr, Qel::Color(kBackground[0], kBackground[1], kBackground[2], 255)), 0);
  const std::vector<uint8_t> before = Snapshot(SdlOf(backBuffer));

  EXPECT_EQ(sprite->CopyTo(backBuffer, Qel::Point2(10, 10)), 1);
  const Qel::Rect part(0, 0, 16, 16);
  EXPECT_EQ(sprite->CopyRectTo(backBuffer, &part, &part), 1);
  EXPECT_TRUE(Snapshot(SdlOf(backBuffer)) == before);

  Qel::SDLSurface::UnregisterSurfaceOps();
  EXPECT_EQ(sprite->BlitTo(backBuffer, Qel::Point2(10, 10)), 1) << "blits end with the registration";
  EXPECT_TRUE(Snapshot(SdlOf(backBuffer)) == before);
}

INSTANTIATE_TEST_SUITE_P(
    SurfaceModes, SDLFrameTest, testing::Values(0, 1, 2), [](const testing::TestParamInfo<int>& info) {
      return std::string(info.param == 0 ? "Hardware" : info.param == 1 ? "Software" : "SoftwareAlpha");
    });

}  // namespace
