// Sprites: animation ids, which animation plays, chaining, the relay of animation notifications, and
// owners that release the sprite while it tells them something.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AnimationTestSupport.h"
#include "graphics/Animation.h"
#include "graphics/Sprite.h"

using animtest::FrameSpec;
using animtest::Log;
using animtest::MakeTrack;
using animtest::NotificationLog;
using animtest::SizedSurface;
using animtest::TestClock;
using Qel::Animation;
using Qel::Box3;
using Qel::Sprite;

namespace {

// The id whose bytes in memory read the four characters.
uint32_t IdOf(const char (&text)[5]) {
  uint32_t id = 0;
  for (int i = 3; i >= 0; --i) id = (id << 8) | static_cast<uint8_t>(text[i]);
  return id;
}

class SpriteFixture : public testing::Test {
protected:
  SpriteFixture() { sprite->AddObserver(&observer); }

  // An animation of frames of 100 ms, each showing a surface of the size given.
  std::shared_ptr<Animation> MakeAnimation(int frames, int mode, int size = 10) {
    auto animation = std::make_shared<Animation>(&clock, true);
    std::vector<FrameSpec> specs;
    for (int i = 0; i < frames; ++i) {
      specs.push_back({100, std::make_shared<SizedSurface>(size + i, size + i), Qel::Point2(i, 0)});
    }
    animation->AddTrack(0, MakeTrack(specs), 0);
    animation->SetPlayMode(mode);
    return animation;
  }

  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }

  TestClock clock;
  Log log;
  NotificationLog observer{log};
  std::shared_ptr<Sprite> sprite = std::make_shared<Sprite>();
};

}  // namespace

TEST_F(SpriteFixture, WithoutAnimationsItIsEmpty) {
  Box3 bounds(1, 1, 1, 2, 2, 2);
  sprite->ComputeLocalBounds(bounds);
  EXPECT_EQ(bounds, Box3());
  EXPECT_EQ(sprite->GetCurrentAnimationId(), Sprite::kNoAnimation);
  EXPECT_EQ(sprite->GetCurrentAnimation(), nullptr);
  SizedSurface target(10, 10);
  sprite->Render(target, Box3(0, 0, 0, 10, 10, 0), Qel::Point2());
  sprite->StopAnimation();
  EXPECT_EQ(Take(), Log{});
}

TEST_F(SpriteFixture, AutomaticIdsAreFourDecimalDigits) {
  EXPECT_EQ(sprite->AddAnimation(MakeAnimation(1, 0)), IdOf("0000"));
  EXPECT_EQ(sprite->AddAnimation(MakeAnimation(1, 0)), IdOf("0001"));
  auto third = MakeAnimation(1, 0);
  EXPECT_EQ(sprite->AddAnimation(third), IdOf("0002"));
  EXPECT_EQ(IdOf("0042"), 0x32343030u);

  EXPECT_EQ(sprite->AddAnimation(third), Sprite::kNoAnimation);
  EXPECT_FALSE(sprite->AddAnimation(77, third));
  EXPECT_EQ(sprite->AddAnimation(nullptr), Sprite::kNoAnimation);
  EXPECT_FALSE(sprite->AddAnimation(Sprite::kNoAnimation, MakeAnimation(1, 0)));
  EXPECT_FALSE(sprite->AddAnimation(IdOf("0001"), MakeAnimation(1, 0)));
  EXPECT_EQ(sprite->GetAnimationId(third.get()), IdOf("0002"));
  EXPECT_EQ(sprite->GetAnimation(IdOf("0002")), third.get());

  // Holding "0001" and "0002" (count 2), the counter starts at 2, finds it taken, and takes "0003".
  Sprite other;
  ASSERT_TRUE(other.AddAnimation(IdOf("0001"), MakeAnimation(1, 0)));
  ASSERT_TRUE(other.AddAnimation(IdOf("0002"), MakeAnimation(1, 0)));
  EXPECT_EQ(other.AddAnimation(MakeAnimation(1, 0)), IdOf("0003"));
}

TEST_F(SpriteFixture, WithEveryAutomaticIdTakenNoneIsGiven) {
  std::vector<std::shared_ptr<Animation>> animations;
  for (int i = 0; i < 10000; ++i) {
    animations.push_back(std::make_shared<Animation>(&clock, true));
    ASSERT_NE(sprite->AddAnimation(animations.back()), Sprite::kNoAnimation);
  }
  auto extra = std::make_shared<Animation>(&clock, true);
  EXPECT_EQ(sprite->AddAnimation(extra), Sprite::kNoAnimation);
  EXPECT_EQ(sprite->GetAnimationCount(), 10000);
  EXPECT_EQ(sprite->GetAnimationId(extra.get()), Sprite::kNoAnimation);
}

TEST_F(SpriteFixture, PlayingSwitchesAnimationsAndRelaysWhatTheyTell) {
  sprite->AddAnimation(1, MakeAnimation(2, Animation::kPlayModeLoop));
  sprite->AddAnimation(2, MakeAnimation(2, Animation::kPlayModeStop, 20));
  sprite->PlayAnimation(1u, 0);
  EXPECT_EQ(Take(), (Log{"sprt bndc 1", "sprt play 1"}));  // "chng" comes from the track: not relayed
  EXPECT_EQ(sprite->GetCurrentAnimationId(), 1u);
  Box3 bounds;
  sprite->GetBounds(bounds);
  EXPECT_EQ(bounds, Box3(0, 0, 0, 10, 10, 0));

  sprite->PlayAnimation(9u, 0);  // not held: the current one plays on
  EXPECT_EQ(sprite->GetCurrentAnimationId(), 1u);
  clock.Step(1000);
  clock.Step(1100);
  EXPECT_EQ(Take(), (Log{"sprt bndc 1"}));
  sprite->GetBounds(bounds);
  EXPECT_EQ(bounds, Box3(1, 0, 0, 12, 11, 0));
  clock.Step(1200);
  EXPECT_EQ(Take(), (Log{"sprt loop 1", "sprt bndc 1"}));

  sprite->PlayAnimation(sprite->GetAnimation(2), 0);
  EXPECT_EQ(Take(), (Log{"sprt stop 1", "sprt bndc 2", "sprt play 2"}));
  sprite->GetBounds(bounds);
  EXPECT_EQ(bounds, Box3(0, 0, 0, 20, 20, 0));
  sprite->GetAnimation(2)->SetPaused(true);
  sprite->GetAnimation(2)->SetPaused(false);
  EXPECT_EQ(Take(), (Log{"sprt paus 2", "sprt upau 2"}));
}

TEST_F(SpriteFixture, AChainedAnimationStartsBeforeTheObserversHearTheEnd) {
  sprite->AddAnimation(0, MakeAnimation(1, Animation::kPlayModeStop));
  sprite->AddAnimation(2, MakeAnimation(1, Animation::kPlayModeLoop));
  sprite->SetNextAnimation(0, 2);
  sprite->PlayAnimation(0u, 0);
  clock.Step(1000);
  Take();
  clock.Step(1100);
  EXPECT_EQ(Take(), (Log{"sprt stop 0", "sprt bndc 0", "sprt bndc 2", "sprt play 2", "sprt ende 0"}));
  EXPECT_EQ(sprite->GetCurrentAnimationId(), 2u);
  EXPECT_TRUE(sprite->GetAnimation(2)->IsPlaying());

  EXPECT_TRUE(sprite->ClearNextAnimation(0));
  EXPECT_FALSE(sprite->ClearNextAnimation(0));
  sprite->PlayAnimation(0u, 0);
  clock.Step(1200);
  clock.Step(1300);
  EXPECT_EQ(sprite->GetCurrentAnimationId(), 0u);  // ended, nothing chained
  EXPECT_FALSE(sprite->GetAnimation(0)->IsPlaying());
}

TEST_F(SpriteFixture, RemovingTheCurrentAnimationStopsItFirst) {
  auto first = MakeAnimation(1, Animation::kPlayModeLoop);
  sprite->AddAnimation(3, first);
  sprite->AddAnimation(4, MakeAnimation(1, Animation::kPlayModeLoop));
  sprite->PlayAnimation(3u, 0);
  Take();
  EXPECT_TRUE(sprite->RemoveAnimation(first.get()));
  EXPECT_EQ(Take(), (Log{"sprt stop 3"}));
  EXPECT_EQ(sprite->GetCurrentAnimation(), nullptr);
  EXPECT_FALSE(sprite->RemoveAnimation(first.get()));
  // Still subscribed: what the removed animation tells is relayed with no id.
  first->Play();
  EXPECT_EQ(Take(), (Log{"sprt bndc " + std::to_string(Sprite::kNoAnimation),
                         "sprt play " + std::to_string(Sprite::kNoAnimation)}));
  first->Stop();
  Take();

  sprite->PlayAnimation(4u, 0);
  EXPECT_FALSE(sprite->RemoveAnimationById(3));
  EXPECT_TRUE(sprite->RemoveAnimationById(4));
  EXPECT_EQ(sprite->GetAnimationCount(), 0);
  sprite->AddAnimation(5, MakeAnimation(1, Animation::kPlayModeLoop));
  sprite->PlayAnimation(5u, 0);
  Take();
  sprite->RemoveAllAnimations();
  // The released animation, still observed, tells of its end of length as it goes: no id any more.
  EXPECT_EQ(Take(), (Log{"sprt stop 5", "sprt durc -1"}));
  EXPECT_EQ(sprite->GetAnimationCount(), 0);
}

TEST_F(SpriteFixture, AnAnimationStartedAgainByAnObserverOfItsStopIsNotKeptCurrentOnceRemoved) {
  const std::function<void(Sprite&)> removals[] = {
      [](Sprite& s) { s.RemoveAnimationById(3); },
      [](Sprite& s) { s.RemoveAnimation(s.GetAnimation(3)); },
      [](Sprite& s) { s.RemoveAllAnimations(); },
  };
  for (const auto& remove : removals) {
    auto owned = std::make_shared<Sprite>();
    Log events;
    NotificationLog owner(events);
    owned->AddObserver(&owner);
    // The sprite holds the only reference: the removal releases the animation.
    owned->AddAnimation(3, MakeAnimation(2, Animation::kPlayModeLoop));
    owned->PlayAnimation(3u, 0);
    bool once = false;
    owner.m_action = [&](uint32_t, uint32_t event) {
      if (animtest::CodeText(event) != "stop" || once) return;
      once = true;
      owned->PlayAnimation(3u, 0);
    };
    remove(*owned);
    owner.m_action = nullptr;
    EXPECT_TRUE(once);
    EXPECT_EQ(owned->GetAnimationCount(), 0);
    EXPECT_EQ(owned->GetCurrentAnimation(), nullptr);
    EXPECT_EQ(owned->GetCurrentAnimationId(), Sprite::kNoAnimation);
    Box3 bounds;
    owned->GetBounds(bounds);
    EXPECT_TRUE(bounds.IsEmpty());
    clock.Step(clock.GetTime() + 250);
  }
}

TEST_F(SpriteFixture, AnOwnerMayReleaseTheSpriteInsideAnyOfItsNotifications) {
  struct Case {
    const char* what;
    const char* releasedOn;
    int mode;
    bool chained;
  };
  const Case cases[] = {
      {"its own end", "ende", Animation::kPlayModeStop, false},
      {"its own end, with a chained animation", "ende", Animation::kPlayModeStop, true},
      {"the start of the chained animation", "play", Animation::kPlayModeStop, true},
      {"the stop before the end", "stop", Animation::kPlayModeStop, false},
      {"a loop", "loop", Animation::kPlayModeLoop, false},
      {"the hold at the end", "stal", Animation::kPlayModeHold, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::shared_ptr<Sprite> owned = std::make_shared<Sprite>();
    std::weak_ptr<Sprite> watched = owned;
    Log events;
    NotificationLog owner(events);
    owned->AddObserver(&owner);
    owned->AddAnimation(0, MakeAnimation(2, c.mode));
    if (c.chained) {
      owned->AddAnimation(1, MakeAnimation(2, Animation::kPlayModeLoop));
      owned->SetNextAnimation(0, 1);
    }
    owned->PlayAnimation(0u, 0);
    const std::string code = c.releasedOn;
    bool started = false;
    owner.m_action = [&](uint32_t, uint32_t event) {
      // The chained play counts only once the first animation has ended.
      if (animtest::CodeText(event) == "stop") started = true;
      if (animtest::CodeText(event) == code && (code != "play" || started)) owned.reset();
    };
    for (uint32_t t = 1000; t <= 1600 && owned; t += 150) clock.Step(t);
    EXPECT_TRUE(watched.expired());
    clock.Step(2000);
  }
}

TEST_F(SpriteFixture, PlayingTheCurrentAnimationAgainRestartsItAtTheFrameAsked) {
  sprite->AddAnimation(1, MakeAnimation(3, Animation::kPlayModeLoop));
  sprite->PlayAnimation(1u, 0);
  clock.Step(1000);
  clock.Step(1250);
  Take();
  sprite->PlayAnimation(1u, 0);
  EXPECT_EQ(Take(), (Log{"sprt stop 1", "sprt bndc 1", "sprt play 1"}));
  EXPECT_EQ(sprite->GetCurrentAnimationId(), 1u);
  Box3 bounds;
  sprite->GetBounds(bounds);
  EXPECT_EQ(bounds, Box3(0, 0, 0, 10, 10, 0));  // frame 0 again
  sprite->PlayAnimation(sprite->GetAnimation(1), 1);
  EXPECT_EQ(Take(), (Log{"sprt stop 1", "sprt bndc 1", "sprt play 1"}));
  sprite->GetBounds(bounds);
  EXPECT_EQ(bounds, Box3(1, 0, 0, 12, 11, 0));
}

TEST_F(SpriteFixture, AnObserverOfTheStopMayRearrangeTheAnimationsAboutToPlay) {
  struct Case {
    const char* what;
    // Done to the sprite when the current animation (id 1) tells of its first stop, while the
    // sprite was asked to play id 2 (the animation given).
    std::function<void(Sprite&, const std::shared_ptr<Animation>&)> onStop;
    uint32_t playing;  // the current id afterwards
    Log heard;         // after that first stop
  };
  const uint32_t none = Sprite::kNoAnimation;
  const Case cases[] = {
      {"nothing", [](Sprite&, const std::shared_ptr<Animation>&) {}, 2u, {"sprt bndc 2", "sprt play 2"}},
      {"the animation to play is removed",
       [](Sprite& s, const std::shared_ptr<Animation>&) { s.RemoveAnimationById(2); },
       none,
       {}},
      {"it is held anew under another id",
       [](Sprite& s, const std::shared_ptr<Animation>& second) {
         s.RemoveAnimationById(2);
         s.AddAnimation(7, second);
       },
       7u,
       {"sprt bndc 7", "sprt play 7"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto owned = std::make_shared<Sprite>();
    Log events;
    NotificationLog owner(events);
    owned->AddObserver(&owner);
    const auto second = MakeAnimation(2, Animation::kPlayModeLoop, 20);
    owned->AddAnimation(1, MakeAnimation(2, Animation::kPlayModeLoop));
    owned->AddAnimation(2, second);
    owned->AddAnimation(3, MakeAnimation(2, Animation::kPlayModeLoop, 30));
    owned->PlayAnimation(1u, 0);
    bool once = false;
    owner.m_action = [&](uint32_t, uint32_t event) {
      if (animtest::CodeText(event) != "stop" || once) return;
      once = true;
      c.onStop(*owned, second);
    };
    events.clear();
    owned->PlayAnimation(2u, 0);
    owner.m_action = nullptr;
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "sprt stop 1");
    EXPECT_EQ(Log(events.begin() + 1, events.end()), c.heard);
    EXPECT_EQ(owned->GetCurrentAnimationId(), c.playing);
    EXPECT_EQ(second->IsPlaying(), c.playing == 2u || c.playing == 7u);
  }
}
