// Sprites from the writer drawn through the scene onto the SDL back buffer: the frame shown, where it
// lands with offsets, anchors and the screen's edge, whichever way its images are stored.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AnimationTestSupport.h"
#include "PixelProbes.h"
#include "SpriteFileTestSupport.h"
#include "core/Box3.h"
#include "core/Color.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/Scene.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLoader.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
const Qel::Box3 kScreenClip(0, 0, 0, 800, 600, 10000);

// One looping animation: 100 ms of an 8 x 6 red block at (2, 3), then 100 ms of a 4 x 4 green block at
// (-3, 0) with a blue pixel at (1, 1).
fixture::SpriteFile TwoFrames(int32_t version) {
  fixture::SpriteFile file = spritetest::SampleFile(version);
  fixture::SpriteFileAnimation loop;
  loop.m_playMode = 2;
  fixture::SpriteFileFrame second;
  second.m_image = 2;
  loop.m_frames = {fixture::SpriteFileFrame(), second};
  file.m_animations = {loop};
  return file;
}

struct Storage {
  const char* what;
  int32_t version;
  bool keepCompressed;
  int32_t maxSurface;
};

class SpriteDrawing : public spritetest::SpriteFileFixture {
protected:
  void TearDown() override {
    Qel::SetMaxSurfaceSize(0, 0);
    SpriteFileFixture::TearDown();
  }

  std::shared_ptr<Qel::Sprite> Place(const Storage& storage, const Qel::Point3& at) {
    Qel::SetMaxSurfaceSize(storage.maxSurface, storage.maxSurface);
    const std::string name = std::string("two") + std::to_string(++m_loaded);
    database->Put(name, fixture::WriteSpriteFile(TwoFrames(storage.version)));
    auto sprite = loader.LoadSprite(Qel::NameHash(name.c_str()), &device, 0, &clock, true,
                                    storage.keepCompressed, nullptr, nullptr);
    EXPECT_NE(sprite, nullptr);
    if (!sprite) return nullptr;
    sprite->SetName(name);
    sprite->SetLocalPosition(at);
    scene.GetWorld().AddChild(sprite);
    sprite->PlayAnimation(0u, 0);
    return sprite;
  }

  void DrawFrame() {
    ASSERT_EQ(device.FillRect(nullptr, Qel::Color::Black(device.GetPixelFormat())), 0);
    scene.Draw(*device.GetBackBuffer(), kScreenClip, Qel::Point2());
  }

  void Expect(const std::vector<pixeltest::Probe>& probes) {
    pixeltest::ExpectPixels(*device.GetBackBuffer(), probes);
  }

  animtest::TestClock clock;
  Qel::SpriteLoader loader;
  Qel::Scene scene;
  int m_loaded = 0;
};

const Storage kStorages[] = {
    {"version 7, decompressed at load", 7, false, 0},
    {"version 7, kept compressed", 7, true, 0},
    {"version 7, in tiles of 4 x 4", 7, false, 4},
    {"version 7, kept compressed, in tiles of 4 x 4", 7, true, 4},
    {"version 6, run-length sets", 6, false, 4},
};

}  // namespace

TEST_F(SpriteDrawing, TheCurrentFrameLandsAtItsOffsetFromThePosition) {
  for (const Storage& storage : kStorages) {
    SCOPED_TRACE(storage.what);
    auto sprite = Place(storage, Qel::Point3(100, 50, 0));
    ASSERT_NE(sprite, nullptr);
    clock.Step(1000);
    DrawFrame();
    Expect({{102, 53, kRed}, {109, 58, kRed}, {110, 58, kBlack}, {101, 53, kBlack}, {102, 59, kBlack}});
    clock.Step(1100);
    DrawFrame();
    Expect({{97, 50, kGreen}, {98, 51, kBlue}, {100, 53, kGreen}, {101, 53, kBlack}, {102, 53, kBlack}});

    // The anchor is the point of the sprite's own frame that sits at its position.
    clock.Step(1200);
    sprite->SetAnchor(Qel::Point3(2, 3, 0));
    DrawFrame();
    Expect({{100, 50, kRed}, {107, 55, kRed}, {108, 55, kBlack}});

    // Half off the screen: the part inside is drawn where it belongs.
    sprite->SetLocalPosition(Qel::Point3(-4, -2, 0));
    DrawFrame();
    Expect({{0, 0, kRed}, {3, 3, kRed}, {4, 3, kBlack}, {0, 4, kBlack}});
    scene.GetWorld().RemoveAllChildren();
  }
}

TEST_F(SpriteDrawing, AStoppedAnimationDrawsNothing) {
  auto sprite = Place(kStorages[0], Qel::Point3(100, 50, 0));
  ASSERT_NE(sprite, nullptr);
  sprite->StopAnimation();
  DrawFrame();
  Expect({{102, 53, kBlack}});
}
