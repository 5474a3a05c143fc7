// SDL surfaces: formats, colour keys, locking, filled rectangles, the blit entry and the SDL conversions.
#include <SDL.h>
#include <gtest/gtest.h>

#include <typeinfo>

#include "SDLTestSupport.h"
#include "graphics/SDLConversions.h"
#include "graphics/SurfaceOps.h"

namespace {

using sdltest::PixelAt;
using sdltest::SdlOf;
using sdltest::SurfacePtr;

class SDLSurfaceTest : public sdltest::SDLDeviceTest {
protected:
  void SetUp() override { ASSERT_EQ(Open(Qel::SDLDisplayDevice::kSurfaceModeSoftware), 0); }
};

TEST_F(SDLSurfaceTest, ColourKeyIsNoneUntilSetEvenInFormatsWithoutAlpha) {
  for (const Qel::PixelFormat& format :
       {Qel::kPixelFormatR5G6B5, Qel::kPixelFormatX8R8G8B8, Qel::kPixelFormatA8R8G8B8}) {
    SurfacePtr surface(device->CreateSurface(8, 8, format, 0));
    ASSERT_NE(surface, nullptr);
    EXPECT_FALSE(surface->HasColorKey()) << "zero would unpack to opaque black";
    EXPECT_EQ(surface->GetColorKey().Alpha(), 0);

    EXPECT_EQ(surface->SetColorKey(Qel::Color(0, 0, 0, 255)), 0);
    EXPECT_TRUE(surface->HasColorKey()) << "black set on purpose is a key";
    EXPECT_EQ(surface->SetColorKey(Qel::Color(255, 0, 255, 255)), 0);
    const Qel::Color key = surface->GetColorKey();
    EXPECT_EQ(key.Red(), 255);
    EXPECT_EQ(key.Green(), 0);
    EXPECT_EQ(key.Blue(), 255);
    EXPECT_EQ(key.Alpha(), 255);
  }
}

TEST_F(SDLSurfaceTest, EmptyWrapperRefusesEverything) {
  Qel::SDLSurface empty(nullptr);
  int pitch = 0;
  EXPECT_EQ(empty.GetWidth(), 0);
  EXPECT_EQ(empty.GetHeight(), 0);
  EXPECT_EQ(empty.GetPixelFormat(), Qel::kPixelFormatNone);
  EXPECT_EQ(empty.SetColorKey(Qel::Color(1, 2, 3, 4)), -1);
  EXPECT_FALSE(empty.HasColorKey());
  EXPECT_EQ(empty.Lock(pitch, Qel::DrawingSurface::kLockWrite), nullptr);
  const Qel::Color black(0, 0, 0, 255);
  EXPECT_EQ(empty.DrawRectangle(nullptr, 1, black, black), 102);
  EXPECT_EQ(empty.DrawLine(Qel::Point2(0, 0), Qel::Point2(1, 1), 1, black), 1);

  Qel::SDLSurface::RegisterSurfaceOps();
  EXPECT_EQ(empty.BlitTo(device->GetBackBuffer(), Qel::Point2(0, 0)), -1);
  EXPECT_EQ(device->GetBackBuffer()->BlitTo(&empty, Qel::Point2(0, 0)), -1);
  const char* name = typeid(Qel::SDLSurface).name();
  EXPECT_EQ(Qel::FindBlitOp(name, name)(nullptr, &empty, nullptr, nullptr), 1);
}

TEST_F(SDLSurfaceTest, LockedAreaStartsAtItsCorner) {
  Qel::DrawingSurface* screen = device->GetBackBuffer();
  int pitch = 0;
  uint8_t* whole = screen->Lock(pitch, Qel::DrawingSurface::kLockWrite);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(pitch, 1600);
  ASSERT_EQ(screen->Unlock(), 0);

  const Qel::Rect area(10, 2, 20, 12);
  EXPECT_EQ(screen->Lock(&area, pitch, Qel::DrawingSurface::kLockWrite), whole + 3220);
  screen->Unlock();
  const Qel::Rect corner(800, 600, 800, 600);
  EXPECT_EQ(screen->Lock(&corner, pitch, Qel::DrawingSurface::kLockWrite), whole + 600 * 1600 + 1600);
  screen->Unlock();

  // An area reaching outside the image would point outside its pixels.
  for (const Qel::Rect& outside : {Qel::Rect(-1, 0, 5, 5), Qel::Rect(0, -1, 5, 5), Qel::Rect(0, 0, 801, 5),
                                   Qel::Rect(0, 0, 5, 601), Qel::Rect(5, 5, 4, 6), Qel::Rect(5, 5, 6, 4)}) {
    EXPECT_EQ(screen->Lock(&outside, pitch, Qel::DrawingSurface::kLockWrite), nullptr);
    EXPECT_FALSE(screen->IsLocked());
  }
}

TEST_F(SDLSurfaceTest, DrawRectangleFillsWithTheFillColour) {
  SurfacePtr surface(device->CreateSurface(16, 16, Qel::kPixelFormatR5G6B5, 0));
  ASSERT_NE(surface, nullptr);
  SDL_Surface* sdl = SdlOf(surface.get());
  const Qel::Color outline(0, 255, 0, 255);
  EXPECT_EQ(surface->DrawRectangle(nullptr, 3, outline, Qel::Color(255, 255, 255, 255)), 0);
  const Qel::Rect area(4, 4, 8, 6);
  EXPECT_EQ(surface->DrawRectangle(&area, 3, outline, Qel::Color(0, 0, 255, 255)), 0);
  EXPECT_EQ(PixelAt(sdl, 0, 0), 0xFFFFu);
  EXPECT_EQ(PixelAt(sdl, 4, 4), 0x001Fu);
  EXPECT_EQ(PixelAt(sdl, 7, 5), 0x001Fu);
  EXPECT_EQ(PixelAt(sdl, 8, 5), 0xFFFFu);
  EXPECT_EQ(PixelAt(sdl, 3, 3), 0xFFFFu) << "no outline is drawn";
}

TEST(SDLConversions, RectanglesSaturateAtSixteenBits) {
  struct Case {
    Qel::Rect rect;
    int x, y, w, h;
  };
  for (const Case& c :
       {Case{Qel::Rect(1, 2, 11, 22), 1, 2, 10, 20}, Case{Qel::Rect(-5, -6, 5, 6), -5, -6, 10, 12},
        Case{Qel::Rect(10, 10, 5, 5), 10, 10, 0, 0},
        Case{Qel::Rect(70000, -70000, 70010, -69990), 32767, -32768, 10, 10},
        Case{Qel::Rect(0, 0, 100000, 1), 0, 0, 65535, 1}}) {
    const SDL_Rect out = Qel::ToSdlRect(c.rect);
    EXPECT_EQ(out.x, c.x);
    EXPECT_EQ(out.y, c.y);
    EXPECT_EQ(out.w, c.w);
    EXPECT_EQ(out.h, c.h);
  }
}

TEST(SDLConversions, PixelFormatTakesDepthAndMasks) {
  SDL_Surface* surface = SDL_CreateRGBSurface(0, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(Qel::PixelFormatFromSDL(*surface->format), Qel::kPixelFormatA8R8G8B8);
  SDL_FreeSurface(surface);
}

}  // namespace
