// Level banners on a current node of the test's own (the fly-in, the number, the hold on the game
// clock, the fly-out and its event, deletion while the node lives) and numeric displays in each of
// their modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fixture-content/SpriteFile.h"
#include "framework/Ambient.h"
#include "framework/GameEvents.h"
#include "framework/GameNode.h"
#include "framework/GameSound.h"
#include "framework/LevelBanner.h"
#include "framework/NumericDisplay.h"
#include "graphics/SceneObject.h"
#include "sound/Sound.h"
#include "support/CurrentNodeStage.h"
#include "support/ObjectStage.h"

namespace {

// Animations 0 to 9 (or as many as given), each a still frame that holds; "stops" lists those made of
// two frames of 100 ms that stop instead.
fixture::SpriteFile HoldingSprite(int count, std::vector<int> stops = {}) {
  fixture::SpriteFile file = test::StageSprite();
  file.m_animations.clear();
  for (int id = 0; id < count; ++id) {
    const bool stopping = std::find(stops.begin(), stops.end(), id) != stops.end();
    fixture::SpriteFileAnimation animation;
    // The frames are made in place: g++ 12 at -O3 takes the copy of a temporary frame into a growing
    // vector for a read of its empty optional sound (-Wmaybe-uninitialized), which it is not.
    animation.m_frames.resize(stopping ? 2 : 1);
    animation.m_playMode = stopping ? 0 : 1;
    file.m_animations.push_back(std::move(animation));
  }
  return file;
}

class Banners : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.objects.IsReady());
    ASSERT_NE(stage.Node(), nullptr);
    // Flying in and out take 200 ms each.
    stage.objects.AddSprite("banner", HoldingSprite(4, {1, 3}));
    stage.objects.AddSprite("digits", HoldingSprite(10));
    stage.sounds.AddWave("fanfare", test::Tone(3000));
  }

  std::unique_ptr<LevelBanner> MakeBanner(const char* distance) {
    auto banner = std::make_unique<LevelBanner>("banner", "banner", 0);
    for (const auto& [key, value] : {std::pair{"numberAnim", "digits"}, std::pair{"numberDistance", distance},
                                     std::pair{"numberCenterX", "400"}, std::pair{"numberCenterY", "300"},
                                     std::pair{"sfx", "fanfare"}, std::pair{"z", "50"}}) {
      banner->SetProperty(key, value);
    }
    stage.Node()->AddObject(banner.get());
    return banner;
  }

  // The frame after Show starts the fly-in; 250 ms later it is over.
  void FlyIn(LevelBanner& banner, int32_t level) {
    banner.Show(level);
    stage.Frame(0);
    stage.Frame(250);
  }

  int EndEventsOf(const void* object) const {
    int count = 0;
    for (const auto& [id, data] : stage.events.events) count += data == object && id == kEventAnimationEnded;
    return count;
  }

  test::CurrentNodeStage stage;
};

}  // namespace

TEST_F(Banners, ABannerShowsItsNumberHoldsASecondOfGameTimeThenFliesOutAndSaysSo) {
  std::unique_ptr<LevelBanner> banner = MakeBanner("30");
  test::CharacterEventNode& node = *stage.Node();
  banner->Show(7);
  EXPECT_EQ(banner->GetAnimationId(), LevelBanner::kAnimationFlyIn);
  EXPECT_TRUE(banner->GetSound()->GetEngineSound()->IsPlaying());
  EXPECT_EQ(banner->GetOnesDigit(), nullptr);
  stage.Frame(0);
  stage.Frame(250);

  ASSERT_EQ(banner->GetAnimationId(), LevelBanner::kAnimationHold);
  Ambient* ones = banner->GetOnesDigit();
  Ambient* tens = banner->GetTensDigit();
  ASSERT_NE(ones, nullptr);
  ASSERT_NE(tens, nullptr);
  EXPECT_EQ(node.FindObject("BannerOnesnumbers"), ones);
  EXPECT_EQ(node.FindObject("BannerTensnumbers"), tens);
  EXPECT_EQ(ones->GetZ(), 51);
  EXPECT_EQ(ones->GetAnimationId(), 7u);
  EXPECT_EQ(ones->GetX(), 400);
  EXPECT_EQ(ones->GetY(), 300);
  EXPECT_EQ(tens->GetX(), 1000);  // one digit: the tens stay parked

  // The hold lasts more than 1000 ms of game time, counted from the end of the fly-in.
  stage.Frame(1000);
  EXPECT_EQ(banner->GetAnimationId(), LevelBanner::kAnimationHold);
  // Paused time does not count.
  GetApp().PauseGame();
  test::ObjectStage::Tick(5000);
  GetApp().ResumeGame();
  stage.Frame(0);
  EXPECT_EQ(banner->GetAnimationId(), LevelBanner::kAnimationHold);
  stage.Frame(1);
  EXPECT_EQ(banner->GetAnimationId(), LevelBanner::kAnimationFlyOut);
  EXPECT_EQ(ones->GetX(), 1000);
  EXPECT_EQ(ones->GetY(), 1000);
  EXPECT_TRUE(node.speech.empty());

  stage.Frame(0);
  stage.Frame(250);
  EXPECT_EQ(banner->GetAnimationId(), LevelBanner::kAnimationIdle);
  ASSERT_EQ(node.speech.size(), 1u);
  EXPECT_EQ(node.speech[0],
            std::make_pair(static_cast<int>(EventId::BannerDone), static_cast<void*>(banner.get())));
  EXPECT_EQ(EndEventsOf(banner.get()), 0);
  stage.Frame(2000);
  EXPECT_EQ(node.speech.size(), 1u);
  stage.Node()->RemoveObject(banner.get());
}

TEST_F(Banners, TwoDigitsStandHalfTheDistanceEitherSideOfTheCentre) {
  struct Case {
    const char* distance;
    int32_t level;
    uint32_t ones, tens;
    float onesX, tensX;
  };
  const Case cases[] = {
      {"30", 12, 2, 1, 415, 385},
      {"31", 12, 2, 1, 415, 385},  // half the distance in whole pixels
      {"30", 99, 9, 9, 415, 385},
      {"-31", 40, 0, 4, 385, 415},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.distance) + " " + std::to_string(c.level));
    std::unique_ptr<LevelBanner> banner = MakeBanner(c.distance);
    FlyIn(*banner, c.level);
    ASSERT_NE(banner->GetOnesDigit(), nullptr);
    EXPECT_EQ(banner->GetOnesDigit()->GetAnimationId(), c.ones);
    EXPECT_EQ(banner->GetTensDigit()->GetAnimationId(), c.tens);
    EXPECT_EQ(banner->GetOnesDigit()->GetX(), c.onesX);
    EXPECT_EQ(banner->GetTensDigit()->GetX(), c.tensX);
    EXPECT_EQ(banner->GetTensDigit()->GetY(), 300);
    stage.Node()->RemoveObject(banner.get());
  }
}

TEST_F(Banners, ABannerDeletedWhileItsNodeLivesTakesItsDigitsOutOfIt) {
  std::unique_ptr<LevelBanner> banner = MakeBanner("30");
  FlyIn(*banner, 12);
  GameNode& node = *stage.Node();
  ASSERT_EQ(node.GetObjects().GetCount(), 3);
  // Shown again, the banner keeps its digits and parks them until the next fly-in is over.
  Ambient* ones = banner->GetOnesDigit();
  banner->Show(3);
  EXPECT_EQ(banner->GetOnesDigit(), ones);
  EXPECT_EQ(ones->GetX(), 1000);
  EXPECT_EQ(node.GetObjects().GetCount(), 3);

  node.RemoveObject(banner.get());
  banner.reset();
  EXPECT_EQ(node.GetObjects().GetCount(), 0);
  EXPECT_EQ(node.FindObject("BannerOnesnumbers"), nullptr);
  stage.Frame(10);
}

namespace {

// Three digit objects of the "digits" sprite 20 pixels apart, from x = 100.
class Displays : public Banners {
protected:
  void SetUp() override {
    Banners::SetUp();
    for (int i = 0; i < 3; ++i) {
      digits.push_back(std::make_unique<Ambient>(("d" + std::to_string(i)).c_str(), "digits", 0));
    }
  }

  // Per digit object: the digit shown at its x, or "-" when hidden.
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& digit : digits) {
      if (!digit->GetSceneObject()->IsShown()) {
        shown.push_back("-");
        continue;
      }
      shown.push_back(std::to_string(digit->GetAnimationId()) + "@" +
                      std::to_string(static_cast<int>(digit->GetX())));
    }
    return shown;
  }

  std::unique_ptr<NumericDisplay> Make(uint32_t mode) {
    auto display = std::make_unique<NumericDisplay>(mode, false);
    // Every display takes the places where the digits stand as their rest positions.
    for (size_t i = 0; i < digits.size(); ++i) {
      digits[i]->SetPosition(100.0f + 20.0f * static_cast<float>(i), 50);
      display->AddDigit(digits[i].get());
    }
    return display;
  }

  std::vector<std::unique_ptr<Ambient>> digits;
};

using Places = std::vector<std::string>;

}  // namespace

TEST_F(Displays, EachModeLaysTheNumberOutOnItsDigitObjects) {
  struct Case {
    uint32_t mode;
    uint32_t value;
    Places shown;
  };
  const Case cases[] = {
      {1, 7, {"0@100", "0@120", "7@140"}},
      {2, 7, {"-", "-", "7@140"}},
      {3, 7, {"7@100", "-", "-"}},
      {4, 7, {"7@120", "-", "-"}},
      {4, 42, {"4@110", "2@130", "-"}},
      {4, 123, {"1@100", "2@120", "3@140"}},
      {2, 0, {"-", "-", "0@140"}},
      // Wider than its digits: the trailing ones, never a sign.
      {1, 1234, {"2@100", "3@120", "4@140"}},
      {3, 4294967295u, {"2@100", "9@120", "5@140"}},
      {2, 1005, {"-", "-", "5@140"}},
      // A mode that selects no format shows nothing.
      {0, 7, {"-", "-", "-"}},
      {9, 7, {"-", "-", "-"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.value));
    std::unique_ptr<NumericDisplay> display = Make(c.mode);
    // Shown fully first, so that each case shows what it hides.
    display->SetMode(1);
    display->Display(888);
    display->SetMode(c.mode);
    EXPECT_EQ(display->GetMode(), c.mode);
    display->Display(c.value);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(display->GetValue(), 0u);  // drawn, not stored
  }
}

TEST_F(Displays, OnlySetValueIncrementAndDecrementStoreAndTheEndsHold) {
  std::unique_ptr<NumericDisplay> display = Make(3);
  display->SetValue(3);
  display->Subtract(5);
  EXPECT_EQ(Shown(), Places({"0@100", "-", "-"}));
  EXPECT_EQ(display->GetValue(), 3u);
  display->Subtract(1);
  EXPECT_EQ(Shown(), Places({"2@100", "-", "-"}));
  display->Add(40);
  EXPECT_EQ(Shown(), Places({"4@100", "3@120", "-"}));
  EXPECT_EQ(display->GetValue(), 3u);
  EXPECT_TRUE(display->Equals(3));
  EXPECT_TRUE(display->NotEquals(43));

  display->Increment();
  EXPECT_EQ(display->GetValue(), 4u);
  EXPECT_EQ(Shown(), Places({"4@100", "-", "-"}));
  display->SetValue(0);
  display->Decrement();
  EXPECT_EQ(display->GetValue(), 0u);
  display->SetValue(4294967295u);
  display->Increment();
  EXPECT_EQ(display->GetValue(), 4294967295u);
  display->Add(10);
  EXPECT_EQ(Shown(), Places({"2@100", "9@120", "5@140"}));
}

TEST_F(Displays, AWideDisplayPadsEveryPlaceAndAnOwningOneDeletesItsDigits) {
  auto wide = std::make_unique<NumericDisplay>(1, true);
  std::vector<Ambient*> places;
  for (int i = 0; i < 12; ++i) {
    places.push_back(new Ambient(("w" + std::to_string(i)).c_str(), "digits", 0));
    wide->AddDigit(places.back());
  }
  wide->SetValue(4294967295u);
  std::string text;
  for (Ambient* place : places) text += std::to_string(place->GetAnimationId());
  EXPECT_EQ(text, "004294967295");
  EXPECT_EQ(wide->GetDigitCount(), 12u);
  wide->Clear();
  EXPECT_EQ(wide->GetDigitCount(), 0u);
  wide->Display(5);  // no digit objects: nothing happens
  wide.reset();
}
