// The swim game's navigation bar and keys on the generated content: the score and scallop digits, the
// level arrows and what their clicks do, the dash of a held button over the playfield, space, the
// cheat digits and the step of at most one every 8 ms.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Game6Stage.h"
#include "framework/ActiveGameButton.h"
#include "framework/Ambient.h"
#include "framework/InputEventInfo.h"
#include "framework/LevelBanner.h"
#include "game6/Game6Hud.h"
#include "game6/Game6Pilo.h"
#include "graphics/SceneObject.h"
#include "support/SdlMouse.h"

namespace {

using test::Game6Entry;
using test::SetOverallLevel;
using Hud = Game6Node::Game6Hud;

bool Visible(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

class Game6Bar : public test::Game6Stage {
protected:
  Hud& GetHud() { return *m_game->GetGameHud(); }
};

TEST_F(Game6Bar, TheScoreShowsOnlyTheDigitsItNeedsEndingAtTheUnitsPlace) {
  StartGame();
  struct Case {
    int32_t score;
    int32_t firstShown;
    uint32_t digits[6];
  } cases[] = {
      {0, 5, {0, 0, 0, 0, 0, 0}},       {7, 5, {0, 0, 0, 0, 0, 7}},       {10, 4, {0, 0, 0, 0, 1, 0}},
      {12345, 1, {0, 1, 2, 3, 4, 5}},   {99999, 1, {0, 9, 9, 9, 9, 9}},   {100000, 0, {1, 0, 0, 0, 0, 0}},
      {-5, 5, {0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    GetHud().SetScore(c.score);
    for (int32_t i = 0; i < Hud::kScoreDigits; ++i) {
      const Ambient* digit = GetHud().GetScoreDigit(i);
      const float x = 588.0f + 20.0f * static_cast<float>(i);
      EXPECT_EQ(digit->GetX(), i >= c.firstShown ? x : x + 600.0f) << i;
      EXPECT_EQ(digit->GetY(), 560.0f);
      EXPECT_EQ(digit->GetAnimationId(), c.digits[i]) << i;
    }
  }
}

TEST_F(Game6Bar, TheScallopsLeftShowTheirTensOnlyFromTen) {
  StartGame();
  struct Case {
    int32_t count;
    float tensX;
    uint32_t tens, units;
  } cases[] = {{7, 845, 0, 7}, {12, 445, 1, 2}, {10, 445, 1, 0}, {9, 845, 0, 9}, {0, 845, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    GetHud().SetScallops(c.count);
    EXPECT_EQ(GetHud().GetScallopDigit(0)->GetX(), c.tensX);
    EXPECT_EQ(GetHud().GetScallopDigit(1)->GetX(), 465.0f);
    EXPECT_EQ(GetHud().GetScallopDigit(0)->GetAnimationId(), c.tens);
    EXPECT_EQ(GetHud().GetScallopDigit(1)->GetAnimationId(), c.units);
  }
  // A level starts with all its scallops to take.
  EXPECT_EQ(m_game->GetScallopTotal(), 8);
  m_game->RestartLevel();
  EXPECT_EQ(GetHud().GetScallopDigit(1)->GetAnimationId(), 8u);
}

TEST_F(Game6Bar, TheArrowsShowWhereTheLevelMayGoAndTheDigitsTheLevel) {
  struct Case {
    int32_t overall, levelWord, level;
    bool back, forward, forwardEnabled;
  } cases[] = {
      {-1, 2, 0, false, true, false}, {0, 1, 0, false, true, false}, {4, 3, 1, true, true, true},
      {4, 2, 1, true, true, false},   {4, 5, 4, true, false, false}, {2, 5, 2, true, true, false},
  };
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level * 10 + c.overall);
    SetOverallLevel(c.overall);
    Game6Entry().level = c.levelWord;
    GetHud().SetLevel(c.level);
    EXPECT_EQ(Visible(GetHud().GetBackArrow()), c.back);
    if (c.back) {
      EXPECT_TRUE(GetHud().GetBackArrow()->IsEnabled());
    }
    EXPECT_EQ(Visible(GetHud().GetForwardArrow()), c.forward);
    if (c.forward) {
      EXPECT_EQ(GetHud().GetForwardArrow()->IsEnabled(), c.forwardEnabled);
    }
    EXPECT_EQ(GetHud().GetLevelDigit(0)->GetX(), -645.0f);
    EXPECT_EQ(GetHud().GetLevelDigit(1)->GetX(), 165.0f);
    EXPECT_EQ(GetHud().GetLevelDigit(1)->GetAnimationId(), static_cast<uint32_t>(c.level + 1));
  }
}

TEST_F(Game6Bar, AnArrowsClickChangesTheLevelWithinTheOverallLevelAndShowsItsBanner) {
  SetOverallLevel(2);
  Game6Entry().level = 5;
  StartPlaying();
  ActiveGameButton* forward = GetHud().GetForwardArrow();
  ActiveGameButton* back = GetHud().GetBackArrow();
  struct Step {
    ActiveGameButton* arrow;
    int32_t level;
  } steps[] = {{forward, 1}, {forward, 2}, {forward, 2}, {back, 1}, {back, 0}, {back, 0}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.level);
    m_game->SetScroll(300, 0);
    EXPECT_FALSE(GetHud().OnObjectClicked(step.arrow));
    EXPECT_EQ(m_game->GetLevel(), step.level);
    EXPECT_EQ(m_game->GetState(), Game6Node::LEVEL_BANNER);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), step.level + 1);
    EXPECT_EQ(m_game->GetScroll().X(), 0);
    EXPECT_EQ(m_game->GetTovin()->GetX(), -400.0f);
    EXPECT_EQ(m_game->GetFish()->GetY(), 300.0f);
    EXPECT_EQ(m_game->GetHoopCount(), Game6Node::HoopCountOf(step.level));
  }
  EXPECT_EQ(Game6Entry().gameValue, 1u);
  ASSERT_TRUE(RunUntilPlaying());
  EXPECT_EQ(m_game->GetLevel(), 0);
}

TEST_F(Game6Bar, AButtonHeldOverThePlayfieldDashesAndOneOnTheBarDoesNot) {
  StartPlaying();
  struct Case {
    int y;
    int32_t dash;
  } cases[] = {{300, 2}, {559, 2}, {560, 1}, {590, 1}};
  InputEventInfo input;
  input.button = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    test::MoveMouse(400, c.y);
    input.position.Set(400, c.y);
    GetHud().OnLeftButtonDown(input);
    EXPECT_EQ(m_game->GetDashFactor(), c.dash);
    // A release anywhere ends the dash.
    test::MoveMouse(400, 580);
    GetHud().OnLeftButtonUp(input);
    EXPECT_EQ(m_game->GetDashFactor(), 1);
  }
}

class Game6Cheat : public Game6Bar, public testing::WithParamInterface<bool> {};

TEST_P(Game6Cheat, TheDigitKeysPickALevelOnlyInCheatMode) {
  const bool cheat = GetParam();
  if (cheat) m_settings = "cheatmode = KelpIsPurple\n";
  StartPlaying();
  m_game->OnChar('4');
  EXPECT_EQ(m_game->GetLevel(), cheat ? 3 : 0);
  EXPECT_EQ(m_game->GetState(), cheat ? Game6Node::SET_UP : Game6Node::PLAYING);
  EXPECT_EQ(m_game->GetHoopCount(), Game6Node::HoopCountOf(cheat ? 3 : 0));
  m_game->OnChar('6');
  m_game->OnChar('0');
  EXPECT_EQ(m_game->GetLevel(), cheat ? 3 : 0);
  m_game->OnChar('1');
  EXPECT_EQ(m_game->GetLevel(), 0);
  ASSERT_TRUE(RunUntilPlaying());
}

INSTANTIATE_TEST_SUITE_P(Mode, Game6Cheat, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Cheat" : "Plain"; });

TEST_F(Game6Bar, SpaceStopsWhatIsSaidAndNothingElse) {
  Game6Entry().firstTime = 0;
  StartGame();
  ASSERT_TRUE(RunUntil([&] { return m_game->IsSpeakerTalking(1); }));
  m_game->OnChar(' ');
  EXPECT_FALSE(m_game->IsSpeakerTalking(1));
  EXPECT_EQ(m_game->GetState(), Game6Node::GREETING_SPEECH);
  EXPECT_EQ(m_game->GetOverlay(), nullptr);
  ASSERT_TRUE(RunUntilPlaying());
  const int32_t level = m_game->GetLevel();
  m_game->OnChar(' ');
  EXPECT_EQ(m_game->GetState(), Game6Node::PLAYING);
  EXPECT_EQ(m_game->GetLevel(), level);
}

TEST_F(Game6Bar, TheGameStepsAtMostOnceEveryEightMilliseconds) {
  StartGame();
  m_game->OnChar(' ');
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game6Node::SWIM_IN; }));
  // The swim-in moves the fish 6 pixels a step.
  const float x = m_game->GetFish()->GetX();
  Frame(7);
  EXPECT_EQ(m_game->GetFish()->GetX(), x);
  Frame(1);
  EXPECT_EQ(m_game->GetFish()->GetX(), x + 6.0f);
  for (int i = 0; i < 3; ++i) Frame(2);
  EXPECT_EQ(m_game->GetFish()->GetX(), x + 6.0f);
  Frame(2);
  EXPECT_EQ(m_game->GetFish()->GetX(), x + 12.0f);
  // However long a frame, one step.
  Frame(100);
  EXPECT_EQ(m_game->GetFish()->GetX(), x + 18.0f);
}

}  // namespace
