// Sprite objects over sprites of a directory database: loading and its thrown failure, the sprite
// keys, hit tests with hotspots and hidden objects, animation ends and loops as events, the clock
// kinds and the keep-compressed flag.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/ResourceAddress.h"
#include "framework/Ambient.h"
#include "framework/ApplicationClock.h"
#include "framework/Background.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSpriteLoader.h"
#include "framework/MainApp.h"
#include "framework/SpriteObject.h"
#include "graphics/Animation.h"
#include "graphics/CompressedSurface.h"
#include "graphics/FrameTrack.h"
#include "graphics/NotifyCodes.h"
#include "graphics/SceneWorld.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLoader.h"
#include "support/ObjectStage.h"

namespace {

// Answers the animation operations as the test says and counts the calls.
class Listening : public SpriteObject {
public:
  Listening(const char* name, const char* sprite, int clockKind) : SpriteObject(name, sprite, clockKind) {}

  bool OnAnimationEnded() override {
    ++ended;
    return consume;
  }
  bool OnAnimationLooped() override {
    ++looped;
    return consume;
  }

  bool consume = false;
  int ended = 0;
  int looped = 0;
};

class Sprites : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    stage.AddSprite("box");
    stage.AddSprite("small", test::StageSprite(10, 10));
  }

  static std::string Thrown(const char* objectName, const char* spriteName) {
    try {
      Ambient object(objectName, spriteName, 0);
    } catch (const char* text) {
      return text;
    }
    return "(nothing thrown)";
  }

  int Count(int id, const void* data) const {
    int count = 0;
    for (const auto& event : events.events) count += event.first == id && event.second == data;
    return count;
  }

  static void Frames(int count, uint32_t ms = 50) {
    for (int i = 0; i < count; ++i) test::ObjectStage::Tick(ms);
  }

  test::ObjectStage stage;
  test::ObjectEventLog events;
  std::shared_ptr<Qel::SceneWorld> world = std::make_shared<Qel::SceneWorld>();
};

const Qel::DrawingSurface* FirstImageOf(const SpriteObject& object) {
  auto* frames = dynamic_cast<Qel::FrameTrack*>(object.GetSprite()->GetCurrentAnimation()->FindTrack(0));
  return frames ? frames->GetFrame(0).m_image.get() : nullptr;
}

}  // namespace

TEST_F(Sprites, ASpriteThatCannotBeLoadedIsThrownWithItsName) {
  EXPECT_EQ(Thrown("thing", "nothere"), "Failed to load sprite 'nothere'\n");
  EXPECT_EQ(Thrown("thing", ""), "Failed to load sprite ''\n");
  // A name far longer than any line of a file is cut to the text's buffer.
  const std::string longName(3000, 's');
  const std::string text = Thrown("thing", longName.c_str());
  EXPECT_EQ(text.rfind("Failed to load sprite 'sss", 0), 0u);
  EXPECT_LT(text.size(), 1024u);
  // A folder where the sprite's file would be is the cause, and the message says so.
  stage.AddFolder("Folder.qela");
  EXPECT_EQ(Thrown("thing", "folder"), "Failed to load sprite 'folder': " +
                                           (stage.Folder() / "Folder.qela").string() + " is a folder\n");
}

TEST_F(Sprites, ALoadedSpriteIsNamedAfterTheObjectAndShowsItsFirstAnimation) {
  Ambient object("Door", "box", 0);
  ASSERT_NE(object.GetSprite(), nullptr);
  EXPECT_EQ(object.GetSceneObject().get(), object.GetSprite());
  EXPECT_STREQ(object.GetName(), "Door");
  EXPECT_EQ(object.GetAnimationId(), 0u);
  EXPECT_TRUE(object.GetSprite()->GetCurrentAnimation()->IsPlaying());
  EXPECT_EQ(object.GetSize(), Qel::Point2(40, 30));
  EXPECT_EQ(object.GetFrameCount(), 1);

  object.SetProperty("seq", "2");
  EXPECT_EQ(object.GetAnimationId(), 2u);
  EXPECT_EQ(object.GetFrameCount(), 2);
  Frames(3);
  EXPECT_EQ(object.GetCurrentFrame(), 1);
  object.ReplayAnimation(0);
  EXPECT_EQ(object.GetAnimationId(), 2u);
  EXPECT_EQ(object.GetCurrentFrame(), 0);
  object.SetAnimationSpeed(2.0f);
  EXPECT_EQ(object.GetSprite()->GetCurrentAnimation()->GetSpeed(), 2.0f);

  object.SetProperty("HotspotWidth", "40");
  object.SetProperty("hotspotheight", "0x14");
  EXPECT_EQ(object.GetHotspotSize(), Qel::Point2(40, 20));
  // The sprite keys come after those of the generic level, which still work.
  object.SetProperty("x", "5");
  EXPECT_EQ(object.GetSprite()->GetLocalPosition(), Qel::Point3(5, 0, 0));
}

TEST_F(Sprites, AHitIsInsideTheScreenBoundsOrTheHotspotAndNeverOnAHiddenObject) {
  Ambient object("target", "box", 0);
  object.AttachToGroup(world);
  world->SetLocalPosition(Qel::Point3(-50, 0, 0));
  object.SetPosition(150.0f, 50.0f);  // on the screen from (100, 50) to (140, 80)
  struct Case {
    int32_t x, y;
    bool hit;
  };
  const Case cases[] = {
      {100, 50, true},  {140, 80, true},  {120, 60, true},  {99, 50, false},
      {141, 80, false}, {100, 81, false}, {150, 50, false}, {120, 49, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    EXPECT_EQ(object.HitTest(c.x, c.y), c.hit);
    object.GetSprite()->Hide();
    EXPECT_FALSE(object.HitTest(c.x, c.y));
    object.GetSprite()->Show();
    world->Hide();
    EXPECT_FALSE(object.HitTest(c.x, c.y));
    world->Show();
  }
}

TEST_F(Sprites, AHotspotReachesBeyondSmallBoundsFromTheirTopLeftCorner) {
  Ambient object("button", "small", 0);
  object.SetPosition(200.0f, 100.0f);
  EXPECT_FALSE(object.HitTest(230, 110));
  object.SetHotspotSize(40, 20);
  EXPECT_TRUE(object.HitTest(230, 110));
  EXPECT_TRUE(object.HitTest(240, 120));
  EXPECT_FALSE(object.HitTest(241, 110));
  EXPECT_FALSE(object.HitTest(230, 121));
  EXPECT_FALSE(object.HitTest(199, 100));
  object.GetSprite()->Hide();
  EXPECT_FALSE(object.HitTest(230, 110));

  // Near the end of the coordinate range the hotspot's far edge is found without overflow.
  object.SetPosition(2147483600.0f, 0.0f);
  object.SetHotspotSize(2147483647, 10);
  object.GetSprite()->Show();
  EXPECT_FALSE(object.HitTest(-2147483600, 5));
}

TEST_F(Sprites, AnAnimationThatEndsOrLoopsPostsItsEventUnlessTheObjectTakesIt) {
  Listening object("anim", "box", 0);
  object.SetAnimation(2, 0);  // two frames of 100 ms, then it stops
  Frames(6);
  EXPECT_EQ(object.ended, 1);
  EXPECT_EQ(Count(kEventAnimationEnded, &object), 1);

  object.SetAnimation(1, 0);  // two frames of 100 ms, looping
  Frames(9);
  EXPECT_EQ(object.looped, 2);
  EXPECT_EQ(Count(kEventAnimationLooped, &object), 2);

  object.consume = true;
  Frames(4);
  EXPECT_EQ(object.looped, 3);
  EXPECT_EQ(Count(kEventAnimationLooped, &object), 2);
  EXPECT_EQ(Count(kEventAnimationEnded, &object), 1);

  // Only the sprite's forwarding counts.
  object.consume = false;
  object.OnNotify(object.GetSprite(), Qel::kNotifyAnimation, Qel::kNotifyEnd, nullptr);
  object.OnNotify(object.GetSprite(), Qel::kNotifySprite, Qel::kNotifyStop, nullptr);
  EXPECT_EQ(object.ended, 1);
  object.OnNotify(object.GetSprite(), Qel::kNotifySprite, Qel::kNotifyEnd, nullptr);
  EXPECT_EQ(Count(kEventAnimationEnded, &object), 2);
}

TEST_F(Sprites, ASpriteThatOutlivesItsObjectTellsItNothing) {
  std::shared_ptr<Qel::Sprite> kept;
  {
    Listening object("gone", "box", 0);
    object.SetAnimation(2, 0);
    kept = std::static_pointer_cast<Qel::Sprite>(object.GetSceneObject());
  }
  Frames(6);
  EXPECT_TRUE(events.events.empty());
  EXPECT_FALSE(kept->GetCurrentAnimation()->IsPlaying());
}

TEST_F(Sprites, ClockKindTwoAnimatesOnTheApplicationClockWhileTheGameIsPaused) {
  Listening onGame("game", "box", 0);
  Listening onOne("one", "box", 1);
  Listening onApplication("application", "box", 2);
  Background background("background", "box");
  EXPECT_EQ(onGame.GetSprite()->GetCurrentAnimation()->GetClock(), &GameClock::Instance());
  EXPECT_EQ(onOne.GetSprite()->GetCurrentAnimation()->GetClock(), &GameClock::Instance());
  EXPECT_EQ(background.GetSprite()->GetCurrentAnimation()->GetClock(), &GameClock::Instance());
  EXPECT_EQ(onApplication.GetSprite()->GetCurrentAnimation()->GetClock(), &ApplicationClock::Instance());

  GetApp().PauseGame();
  for (Listening* object : {&onGame, &onApplication}) object->SetAnimation(2, 0);
  Frames(6);
  EXPECT_EQ(onGame.ended, 0);
  EXPECT_EQ(onApplication.ended, 1);
  GetApp().ResumeGame();
  Frames(6);
  EXPECT_EQ(onGame.ended, 1);
}

TEST_F(Sprites, FrameImagesStayCompressedWhileTheFlagIsSetAsItIsAtStart) {
  EXPECT_TRUE(sKeepSpritesCompressed);
  Ambient kept("kept", "box", 0);
  auto* compressed = dynamic_cast<const Qel::CompressedSurface*>(FirstImageOf(kept));
  ASSERT_NE(compressed, nullptr);
  EXPECT_FALSE(compressed->IsUncompressed());

  // The flag counts when a file is read: a fresh loader reads it again.
  sKeepSpritesCompressed = false;
  RenewSpriteLoader();
  EXPECT_FALSE(GetSpriteLoader().IsCached(Qel::NameHash("box")));
  Ambient unpacked("unpacked", "box", 0);
  EXPECT_EQ(dynamic_cast<const Qel::CompressedSurface*>(FirstImageOf(unpacked)), nullptr);
  sKeepSpritesCompressed = true;
}

TEST_F(Sprites, ASpriteLoadedAgainTakesTheOldOnesPlaceAndName) {
  Ambient object("swap", "box", 0);
  object.AttachToGroup(world);
  object.SetPosition(3.0f, 4.0f);
  object.LoadSprite("small", 0);
  EXPECT_STREQ(object.GetName(), "swap");
  EXPECT_EQ(object.GetSize(), Qel::Point2(10, 10));
  EXPECT_EQ(world->GetChildren().size(), 1u);
  EXPECT_EQ(world->FindChild("swap").get(), object.GetSprite());
  EXPECT_EQ(object.GetSprite()->GetLocalPosition(), Qel::Point3(3, 4, 0));
}
