// The sprite loader: each file parsed once while a sprite of it lives, the cache pruned at the next tick
// once none does, and the sprite and data it hands back.
#include <gtest/gtest.h>

#include <memory>

#include "AnimationTestSupport.h"
#include "SpriteFileTestSupport.h"
#include "core/Periodical.h"
#include "core/ResourceAddress.h"
#include "graphics/Animation.h"
#include "graphics/CompressedSurface.h"
#include "graphics/FrameTrack.h"
#include "graphics/LoadSpriteFromStream.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteData.h"
#include "graphics/SpriteLoader.h"

using spritetest::SampleFile;

namespace {

class SpriteLoading : public spritetest::SpriteFileFixture {
protected:
  void SetUp() override {
    SpriteFileFixture::SetUp();
    database->Put("walker", fixture::WriteSpriteFile(SampleFile(7)));
    loader.Start();
  }

  std::shared_ptr<Qel::Sprite> Load(const char* name, bool keepCompressed = false,
                                    std::shared_ptr<Qel::Sprite> into = nullptr,
                                    Qel::SpriteData* data = nullptr) {
    return loader.LoadSprite(Qel::NameHash(name), &device, 0, &clock, true, keepCompressed, std::move(into),
                             data);
  }

  static Qel::DrawingSurface* FirstImageOf(Qel::Sprite& sprite) {
    auto* track = dynamic_cast<Qel::FrameTrack*>(sprite.GetAnimation(0)->FindTrack(0));
    return track ? track->GetFrame(0).m_image.get() : nullptr;
  }

  animtest::TestClock clock;
  Qel::SpriteLoader loader;
};

}  // namespace

TEST_F(SpriteLoading, ANameLoadedTwiceWhileASpriteLivesIsReadOnce) {
  auto first = Load("walker");
  auto second = Load("walker");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(database->Opens("walker"), 1);
  // Each sprite has animations of its own over the same images.
  EXPECT_NE(first, second);
  EXPECT_NE(first->GetAnimation(0), second->GetAnimation(0));
  EXPECT_EQ(FirstImageOf(*first), FirstImageOf(*second));

  clock.Step(100);  // the loader runs as a periodical
  first.reset();
  clock.Step(200);
  EXPECT_TRUE(loader.IsCached(Qel::NameHash("walker")));
  second.reset();
  EXPECT_TRUE(loader.IsCached(Qel::NameHash("walker")));
  clock.Step(300);
  EXPECT_FALSE(loader.IsCached(Qel::NameHash("walker")));
  EXPECT_NE(Load("walker"), nullptr);
  EXPECT_EQ(database->Opens("walker"), 2);
}

TEST_F(SpriteLoading, AMissingResourceGivesNothingAndCachesNothing) {
  EXPECT_EQ(Load("nobody"), nullptr);
  EXPECT_EQ(loader.GetCacheSize(), 0u);
}

TEST_F(SpriteLoading, TheAnimationsGoIntoTheSpriteGivenAndTheDataOut) {
  auto into = std::make_shared<Qel::Sprite>();
  Qel::SpriteData data;
  EXPECT_EQ(Load("walker", false, into, &data), into);
  EXPECT_EQ(into->GetAnimationCount(), 5);
  ASSERT_EQ(data.m_images.size(), 3u);
  EXPECT_EQ(data.m_images[0].m_surface.get(), FirstImageOf(*into));
  EXPECT_EQ(data.m_animations.size(), 5u);
  EXPECT_EQ(data.m_defaultDuration, 100);

  // A second load into the same sprite finds every id taken and adds nothing.
  EXPECT_EQ(Load("walker", false, into), into);
  EXPECT_EQ(into->GetAnimationCount(), 5);
}

TEST_F(SpriteLoading, AnEntryWithoutImagesGoesAtTheNextTick) {
  fixture::SpriteFile empty;
  empty.m_animations.resize(2);
  database->Put("empty", fixture::WriteSpriteFile(empty));
  auto sprite = Load("empty");
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->GetAnimationCount(), 2);
  EXPECT_TRUE(loader.IsCached(Qel::NameHash("empty")));
  clock.Step(100);
  EXPECT_FALSE(loader.IsCached(Qel::NameHash("empty")));
}

TEST_F(SpriteLoading, KeptCompressedOnlyThroughTheLoader) {
  Qel::SpriteData data;
  ASSERT_NE(Load("walker", true, nullptr, &data), nullptr);
  for (const auto& image : data.m_images) {
    auto* compressed = dynamic_cast<Qel::CompressedSurface*>(image.m_surface.get());
    ASSERT_NE(compressed, nullptr);
    EXPECT_FALSE(compressed->IsUncompressed());
  }
  auto stream = spritetest::StreamOver(fixture::WriteSpriteFile(SampleFile(7)));
  ASSERT_NE(Qel::LoadSpriteFromStream(*stream, &device, 0, &clock, true, &data), nullptr);
  for (const auto& image : data.m_images) {
    EXPECT_EQ(dynamic_cast<Qel::CompressedSurface*>(image.m_surface.get()), nullptr);
  }
}
