// Click points and particles on a current node of the test's own: clicks and their reactions, the
// emission interval, the particles joining and leaving the node that was current when they showed,
// and every class of this family made from an object-definition file with its keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixture-content/SpriteFile.h"
#include "framework/EmitterClickPoint.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/GameSound.h"
#include "framework/InputEventInfo.h"
#include "framework/LevelBanner.h"
#include "framework/MultiStateClickPoint.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/Particle.h"
#include "framework/SimpleClickPoint.h"
#include "framework/VanishingClickPoint.h"
#include "graphics/SceneObject.h"
#include "graphics/SceneWorld.h"
#include "sound/Sound.h"
#include "support/CurrentNodeStage.h"
#include "support/ObjectStage.h"

namespace {

// A 40 x 30 sprite with animations 0 to 5: each even one a still frame that holds, each odd one two
// frames of 100 ms, which chain back to the even one before it when chain is set and stop otherwise.
fixture::SpriteFile PointSprite(bool chain) {
  fixture::SpriteFile file = test::StageSprite();
  fixture::SpriteFileAnimation still;
  still.m_playMode = 1;
  still.m_frames = {fixture::SpriteFileFrame()};
  fixture::SpriteFileAnimation reaction;
  reaction.m_frames = {fixture::SpriteFileFrame(), fixture::SpriteFileFrame()};
  reaction.m_frames[1].m_image = 2;
  file.m_animations.clear();
  for (int16_t id = 0; id < 6; ++id) {
    if (id % 2 == 0) {
      file.m_animations.push_back(still);
      continue;
    }
    file.m_animations.push_back(reaction);
    if (chain) {
      file.m_animations.back().m_playMode = 3;
      file.m_animations.back().m_nextAnimation = static_cast<int16_t>(id - 1);
    }
  }
  return file;
}

InputEventInfo At(int32_t x, int32_t y) {
  InputEventInfo input;
  input.button = 1;
  input.position = Qel::Point2(x, y);
  return input;
}

class ClickPoints : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.objects.IsReady());
    ASSERT_NE(stage.Node(), nullptr);
    stage.objects.AddSprite("point", PointSprite(true));
    stage.objects.AddSprite("vanish", PointSprite(false));
    // A particle's only animation is one still frame of 100 ms.
    stage.objects.AddSprite("spark");
    stage.objects.AddSprite("smoke");
    stage.sounds.AddWave("ding", test::Tone(500));
    stage.sounds.AddWave("dong", test::Tone(500));
  }

  // The game-object events posted with the object, by id; the ends and loops of its animations
  // only with ends set.
  std::vector<int> EventsOf(const void* object, bool ends = true) const {
    std::vector<int> ids;
    for (const auto& [id, data] : stage.events.events) {
      if (data == object && (ends || id == kEventObjectClicked)) ids.push_back(id);
    }
    return ids;
  }

  // The particles of the emitter that the current node lists.
  int InNode(const EmitterClickPoint& emitter) const {
    int count = 0;
    for (int32_t i = 0; i < emitter.GetParticles().GetCount(); ++i) {
      if (stage.Node()->FindObject(emitter.GetParticles().At(i)->GetName())) ++count;
    }
    return count;
  }

  test::CurrentNodeStage stage;
};

const std::vector<int> kClicked = {kEventObjectClicked};

}  // namespace

TEST_F(ClickPoints, AnEmitterThrowsOutOneParticlePerIntervalAndEveryClickIsPosted) {
  stage.objects.AddText("emitter",
                        "[emitterclickpoint fountain point]\nx = 100\ny = 100\nz = 7\n"
                        "clickInterval = 1000\nparticleFiles = spark\nparticleOffsets = 5 -8\n");
  GameNode& node = *stage.Node();
  ASSERT_TRUE(node.LoadObjects("emitter"));
  auto& emitter = dynamic_cast<EmitterClickPoint&>(*node.FindObject("fountain"));
  stage.Frame(0);

  EXPECT_TRUE(emitter.OnLeftButtonUp(At(110, 110)));
  stage.Frame(0);  // the particle's animation starts with the frame after its click
  ASSERT_EQ(emitter.GetParticles().GetCount(), 1);
  auto& first = dynamic_cast<Particle&>(*emitter.GetParticles().At(0));
  EXPECT_EQ(first.GetNode(), &node);
  EXPECT_EQ(node.FindObject(first.GetName()), &first);
  EXPECT_EQ(first.GetSceneObject()->GetParent(), node.GetNodeWorld().get());
  EXPECT_EQ(first.GetX(), 105);
  EXPECT_EQ(first.GetY(), 92);
  EXPECT_EQ(first.GetZ(), 7);
  EXPECT_EQ(emitter.GetAnimationId(), 1u);

  // 300 ms later: clicked again, but too soon for another particle.
  stage.Frame(300);
  EXPECT_FALSE(emitter.OnLeftButtonUp(At(110, 110)));
  EXPECT_EQ(emitter.GetParticles().GetCount(), 1);
  EXPECT_EQ(EventsOf(&emitter, false), std::vector<int>({kEventObjectClicked, kEventObjectClicked}));

  // The particle's animation is over: it leaves the node quietly and stays the emitter's.
  EXPECT_EQ(first.GetNode(), nullptr);
  EXPECT_EQ(node.FindObject(first.GetName()), nullptr);
  EXPECT_EQ(first.GetSceneObject()->GetParent(), nullptr);
  EXPECT_TRUE(EventsOf(&first).empty());
  EXPECT_EQ(emitter.GetParticles().GetCount(), 1);

  // Once the interval has passed, the next click makes the next particle.
  stage.Frame(700);
  EXPECT_TRUE(emitter.OnLeftButtonUp(At(110, 110)));
  EXPECT_EQ(emitter.GetParticles().GetCount(), 2);
  EXPECT_EQ(InNode(emitter), 1);
}

TEST_F(ClickPoints, ParticlesLeaveTheirNodeWhenTheirEmitterGoesAtANodeSwitchOrBefore) {
  stage.objects.AddText("emitter", "[emitterclickpoint fountain point]\nparticleFiles = spark smoke\n");
  GameNode* first = stage.Node();
  ASSERT_TRUE(first->LoadObjects("emitter"));
  auto* emitter = dynamic_cast<EmitterClickPoint*>(first->FindObject("fountain"));
  ASSERT_NE(emitter, nullptr);
  stage.Frame(0);
  ASSERT_TRUE(emitter->OnLeftButtonUp(At(10, 10)));
  ASSERT_TRUE(emitter->OnLeftButtonUp(At(10, 10)));  // no interval: one particle per click
  EXPECT_EQ(InNode(*emitter), 2);
  // Deleted with the node's loaded objects while the manager has no current node: each particle
  // leaves the node it joined, which is still there.
  stage.SwitchTo(kNodeTitleScreen);
  ASSERT_NE(stage.Node(), nullptr);
  EXPECT_EQ(stage.Node()->GetObjects().GetCount(), 0);

  // An emitter deleted while its node lives takes its particles out of the node.
  auto own = std::make_unique<EmitterClickPoint>("own", "point", 0);
  own->SetProperty("particleFiles", "spark");
  stage.Node()->AddObject(own.get());
  ASSERT_TRUE(own->OnLeftButtonUp(At(10, 10)));
  EXPECT_EQ(stage.Node()->GetObjects().GetCount(), 2);
  stage.Node()->RemoveObject(own.get());
  own.reset();
  EXPECT_EQ(stage.Node()->GetObjects().GetCount(), 0);
  stage.Frame(10);
}

TEST_F(ClickPoints, AParticleWithNoCurrentNodeJoinsNoneAndLeavesNone) {
  NodeManager::Instance().Shutdown();
  Particle particle("lone", "spark", 0);
  particle.Show();
  EXPECT_EQ(particle.GetNode(), nullptr);
  particle.Hide();
  test::ObjectStage::Tick(200);  // its animation ends in no node
  EXPECT_EQ(particle.GetNode(), nullptr);

  // Shown twice, it joins once; hidden, it leaves the node it joined even after another is current.
  stage.SwitchTo(kNodeHub);
  GameNode* joined = stage.Node();
  particle.Show();
  particle.Show();
  EXPECT_EQ(joined->GetObjects().GetCount(), 1);
  particle.Hide();
  EXPECT_EQ(joined->GetObjects().GetCount(), 0);
}

TEST_F(ClickPoints, ParticleListsKeepFourEntriesAndOffsetsComeInPairs) {
  EmitterClickPoint emitter("e", "point", 0);
  const std::string longName(40, 'p');
  emitter.SetProperty("particleFiles", ("a b c " + longName + " e f").c_str());
  ASSERT_EQ(emitter.GetParticleFileCount(), 4);
  EXPECT_STREQ(emitter.GetParticleFile(0), "a");
  EXPECT_STREQ(emitter.GetParticleFile(2), "c");
  EXPECT_EQ(emitter.GetParticleFile(3), longName.substr(0, 31));
  EXPECT_EQ(emitter.GetParticleFile(4), nullptr);

  emitter.SetProperty("particleOffsets", "1 2 3 4 5");
  ASSERT_EQ(emitter.GetParticleOffsetCount(), 2);
  EXPECT_EQ(emitter.GetParticleOffset(0), Qel::Point2(1, 2));
  EXPECT_EQ(emitter.GetParticleOffset(1), Qel::Point2(3, 4));
  emitter.SetProperty("particleOffsets", "1 2 3 4 5 6 7 8 9 10 11 12");
  EXPECT_EQ(emitter.GetParticleOffsetCount(), 4);
  EXPECT_EQ(emitter.GetParticleOffset(3), Qel::Point2(7, 8));

  // A list with too few tokens changes nothing.
  emitter.SetProperty("particleOffsets", "9");
  EXPECT_EQ(emitter.GetParticleOffsetCount(), 4);
  emitter.SetProperty("particleFiles", ",");
  EXPECT_EQ(emitter.GetParticleFileCount(), 4);
  // A shorter list replaces the count and its first names.
  emitter.SetProperty("particleFiles", "z");
  EXPECT_EQ(emitter.GetParticleFileCount(), 1);
  EXPECT_STREQ(emitter.GetParticleFile(0), "z");
}

TEST_F(ClickPoints, AVanishingPointHidesAfterItsReactionWithoutAnEndEvent) {
  VanishingClickPoint point("ghost", "vanish", 0);
  stage.Node()->AddObject(&point);
  stage.Frame(0);
  ASSERT_TRUE(point.OnLeftButtonUp(At(10, 10)));
  EXPECT_EQ(point.GetAnimationId(), 1u);
  stage.Frame(0);
  stage.Frame(250);
  EXPECT_FALSE(point.GetSceneObject()->IsShown());
  EXPECT_EQ(EventsOf(&point), kClicked);
  EXPECT_FALSE(point.OnLeftButtonUp(At(10, 10)));
  stage.Node()->RemoveObject(&point);
}

TEST_F(ClickPoints, AMultiStatePointPlaysTheSoundOfItsStateAndStepsOn) {
  MultiStateClickPoint point("bell", "point", 0);
  point.SetProperty("changeStateSound", "ding");
  point.SetProperty("changeStateSound", "dong, ignored");
  ASSERT_EQ(point.GetStateSoundCount(), 2u);
  EXPECT_NE(std::string(point.GetStateSound(0)->GetEngineSound()->GetId()),
            point.GetStateSound(1)->GetEngineSound()->GetId());
  stage.Node()->AddObject(&point);

  struct Case {
    uint32_t animation;
    int playing;  // the state sound that plays after the click, -1 for none
  };
  for (const Case& c : {Case{0, 0}, Case{2, 1}, Case{4, -1}}) {
    SCOPED_TRACE(c.animation);
    for (size_t i = 0; i < 2; ++i) point.GetStateSound(i)->Stop();
    point.SetAnimation(c.animation, 0);
    stage.Frame(0);
    ASSERT_TRUE(point.IsEnabled());
    EXPECT_TRUE(point.OnLeftButtonUp(At(10, 10)));
    EXPECT_EQ(point.GetAnimationId(), c.animation + 1);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(point.GetStateSound(static_cast<size_t>(i))->GetEngineSound()->IsPlaying(), i == c.playing)
          << "sound " << i;
    }
  }
  stage.Node()->RemoveObject(&point);
}

TEST_F(ClickPoints, AReactingPointIsDisabledAtTheOriginAndRestsAtItsIdlePositionAgain) {
  SimpleClickPoint simple("simple", "point", 0);
  MultiStateClickPoint multi("multi", "point", 0);
  for (Clickable* point : {static_cast<Clickable*>(&simple), static_cast<Clickable*>(&multi)}) {
    SCOPED_TRACE(point->GetName());
    point->SetProperty("idlePos", "200 150");
    point->SetProperty("hotspotWidth", "60");
    EXPECT_EQ(point->GetRolloverCursor(), 1);
    EXPECT_EQ(point->GetZ(), 1);
    stage.Node()->AddObject(point);
    point->SetAnimation(3, 0);
    stage.Frame(0);
    EXPECT_FALSE(point->IsEnabled());
    EXPECT_EQ(point->GetX(), 0);
    EXPECT_EQ(point->GetY(), 0);
    EXPECT_EQ(point->GetHotspotSize(), Qel::Point2(0, 0));
    stage.events.events.clear();
    EXPECT_FALSE(point->OnLeftButtonUp(At(10, 10)));
    EXPECT_TRUE(EventsOf(point).empty());

    // The reaction chains back to animation 2: clickable again, with the hotspot first seen.
    stage.Frame(250);
    stage.Frame(0);
    EXPECT_EQ(point->GetAnimationId(), 2u);
    EXPECT_TRUE(point->IsEnabled());
    EXPECT_EQ(point->GetHotspotSize().X(), point == &simple ? 60 : 0);
    // Resting, the simple point stands at its idle position; the multi-state point, whose sprite has
    // a size of its own, at the origin.
    const Qel::Point2 rest = point == &simple ? Qel::Point2(200, 150) : Qel::Point2(0, 0);
    EXPECT_EQ(point->GetX(), rest.X());
    EXPECT_EQ(point->GetY(), rest.Y());
    EXPECT_TRUE(point->OnLeftButtonUp(At(rest.X() + 10, rest.Y() + 10)));
    // The simple point always reacts with animation 1, the multi-state one with the next odd one.
    EXPECT_EQ(point->GetAnimationId(), point == &simple ? 1u : 3u);
    stage.Node()->RemoveObject(point);
  }
}

TEST_F(ClickPoints, EveryClassOfTheFamilyComesFromADefinitionFileWithItsKeys) {
  const std::string longSprite(40, 'd');
  stage.objects.AddText("family",
                        "[simpleclickpoint s point]\nidlePos = 11 12\nrollovercursor = 4\n"
                        "[VanishingClickPoint v vanish]\nx = 5\n"
                        "[multistateclickpoint m point]\nidlePos = 21, 22\nchangeStateSound = ding\n"
                        "changeStateSound = dong\n"
                        "[EMITTERCLICKPOINT e point]\nclickInterval = 250\nparticleFiles = spark smoke\n"
                        "particleOffsets = (1, 2) (3, 4)\n"
                        "[levelbanner b point]\nsfx = ding\nnumberAnim = " +
                            longSprite +
                            "\nnumberDistance = 30\nnumberCenterX = 400.5\nnumberCenterY = 300\n");
  GameNode& node = *stage.Node();
  ASSERT_TRUE(node.LoadObjects("family"));
  ASSERT_EQ(node.GetObjects().GetCount(), 5);

  auto* simple = dynamic_cast<SimpleClickPoint*>(node.FindObject("s"));
  ASSERT_NE(simple, nullptr);
  EXPECT_EQ(simple->GetIdlePosition(), Qel::Point2(11, 12));
  EXPECT_EQ(simple->GetRolloverCursor(), 4);  // the clickable's keys come first
  auto* vanishing = dynamic_cast<VanishingClickPoint*>(node.FindObject("v"));
  ASSERT_NE(vanishing, nullptr);
  EXPECT_EQ(vanishing->GetX(), 5);
  auto* multi = dynamic_cast<MultiStateClickPoint*>(node.FindObject("m"));
  ASSERT_NE(multi, nullptr);
  EXPECT_EQ(multi->GetIdlePosition(), Qel::Point2(21, 22));
  EXPECT_EQ(multi->GetStateSoundCount(), 2u);
  auto* emitter = dynamic_cast<EmitterClickPoint*>(node.FindObject("e"));
  ASSERT_NE(emitter, nullptr);
  EXPECT_EQ(emitter->GetClickInterval(), 250u);
  EXPECT_EQ(emitter->GetParticleFileCount(), 2);
  EXPECT_STREQ(emitter->GetParticleFile(1), "smoke");
  EXPECT_EQ(emitter->GetParticleOffsetCount(), 2);
  EXPECT_EQ(emitter->GetParticleOffset(1), Qel::Point2(3, 4));
  auto* banner = dynamic_cast<LevelBanner*>(node.FindObject("b"));
  ASSERT_NE(banner, nullptr);
  ASSERT_NE(banner->GetSound(), nullptr);
  EXPECT_EQ(banner->GetSound()->GetEngineSound()->GetId(), "bannerSound1");
  EXPECT_EQ(banner->GetNumberAnim(), longSprite.substr(0, 31));
  EXPECT_EQ(banner->GetNumberDistance(), 30);
  EXPECT_EQ(banner->GetNumberCenterX(), 400.5f);
  EXPECT_EQ(banner->GetNumberCenterY(), 300.0f);
}
