// The submarine ball game's node on the generated content: its start and introduction, the step
// throttle, each level's rows, goals, misses and the bonus, the fish's bounce, the hurry, the level
// arrows, the starting level, the lines by drawn value, and the content it cannot do without.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Game5Stage.h"
#include "framework/ActiveGameButton.h"
#include "framework/CCSound.h"
#include "framework/GameSound.h"
#include "framework/MoviePlayer.h"
#include "sound/Sound.h"
#include "support/SdlMouse.h"

namespace {

using Names = std::vector<std::string>;

class Game5 : public test::Game5Stage {
protected:
  // The file of the effect that plays last ("GM5sfx" plays them all).
  std::string Effect() const {
    const GameSound* sound = m_game->GetEffectSound();
    return sound && sound->GetEngineSound() ? sound->GetEngineSound()->GetName() : "none";
  }
  static uint32_t LineOf(const CCSound* line) { return line ? line->GetCaptionNumber() : 0; }
};

TEST_F(Game5, TheIntroductionEntersSpeaksItsLongLinesOnceAndStartsTheFirstLevel) {
  Entry().firstTime = 1;
  StartGame();
  EXPECT_EQ(m_game->GetState(), Game5Node::kIntro);
  EXPECT_EQ(m_game->GetLevel(), 1);
  EXPECT_FALSE(m_game->IsQuitAllowed());
  ASSERT_NE(m_game->GetZelka(), nullptr);
  EXPECT_EQ(m_game->GetZelka()->GetAnimationId(), 2u);
  // The entrance ends: the lines start.
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetIntroPhase() == 2; }));
  EXPECT_EQ(Entry().firstTime, 0);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kLevelStart; }, 2000));
  EXPECT_EQ(LinesSince(0), (Names{"2470", "2480", "2490", "2540"}));
  EXPECT_FALSE(test::IsShownObject(m_game->GetZelka()));
  EXPECT_TRUE(test::IsShownObject(m_game->GetDoors().m_shark));
  EXPECT_EQ(m_game->GetDoors().m_shark->GetAnimationId(), 9u);
  // The banner flies in and out, then the ball is loaded.
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kBallLoaded; }, 400));
  EXPECT_EQ(Effect(), "ball_load");
  EXPECT_EQ(m_game->GetPipe()->GetAnimationId(), 0u);
  // The banner's end unset the shark's move time; the step after drew it afresh.
  const int32_t now = static_cast<int32_t>(GameClock::Instance().GetTime());
  EXPECT_GE(m_game->GetDoors().m_moveAt, now + 10000 - 20);
  EXPECT_LE(m_game->GetDoors().m_moveAt, now + 15000);
}

TEST_F(Game5, AReturningPlayerHearsTheShortIntroduction) {
  Entry().firstTime = 0;
  StartGame();
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kLevelStart; }, 2000));
  EXPECT_EQ(LinesSince(0), (Names{"2530", "2510"}));
}

TEST_F(Game5, TheGameStepsOnlyWhenMoreThanSevenMillisecondsHavePassed) {
  StartGame();
  // The first update only took the time: the fish did not follow the pointer.
  test::MoveMouse(100, 450);
  Frame(7);
  EXPECT_EQ(m_game->GetPlayer().m_arc.GetX(), 352);
  Frame(1);
  EXPECT_EQ(m_game->GetPlayer().m_arc.GetX(), 100);
  test::MoveMouse(600, 450);
  Frame(7);
  EXPECT_EQ(m_game->GetPlayer().m_arc.GetX(), 100);
  Frame(7);
  EXPECT_EQ(m_game->GetPlayer().m_arc.GetX(), 600);
}

TEST_F(Game5, EachLevelTakesItsRows) {
  const struct {
    int32_t level;
    int32_t goals, aim, jellyfish;
    float speed;
  } cases[] = {{1, 3, 20000, 2, 350}, {2, 3, 18000, 2, 370},  {3, 4, 16000, 3, 390},  {5, 5, 12000, 4, 430},
               {8, 6, 9000, 4, 470},  {9, 6, 8000, 5, 490},   {12, 7, 6500, 5, 550},  {16, 8, 5000, 5, 610},
               {18, 8, 5000, 6, 690}, {20, 9, 5000, 6, 780},  {21, 9, 5000, 6, 780}};
  StartGame();
  SkipIntroduction();
  for (const auto& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level));
    m_game->SetLevel(c.level);
    const int32_t level = std::min(c.level, 20);
    EXPECT_EQ(m_game->GetLevel(), level);
    EXPECT_EQ(m_game->GetState(), Game5Node::kLevelStart);
    EXPECT_EQ(m_game->GetChances(), 3);
    EXPECT_EQ(m_game->GetGoalsNeeded(), c.goals);
    EXPECT_EQ(m_game->GetGoalsIcon()->GetAnimationId(), static_cast<uint32_t>(c.goals));
    EXPECT_EQ(m_game->GetJellyCount(), c.jellyfish);
    EXPECT_NE(m_game->FindObject(("gm5JellyfishTYR" + std::to_string(c.jellyfish - 1)).c_str()), nullptr);
    EXPECT_EQ(m_game->FindObject(("gm5JellyfishTYR" + std::to_string(c.jellyfish)).c_str()), nullptr);
    EXPECT_EQ(m_game->GetBall().m_path.GetSpeed(), c.speed);
    EXPECT_EQ(Entry().gameValue, static_cast<uint32_t>(level));
    EXPECT_GE(Entry().level, level);
    for (int32_t i = 0; i < 3; ++i) {
      EXPECT_TRUE(test::IsShownObject(m_game->GetChanceIcon(i)));
      EXPECT_EQ(m_game->GetChanceIcon(i)->GetAnimationId(), 0u);
    }
    // The level's digits: the ones centred below 10.
    EXPECT_EQ(test::IsShownObject(m_game->GetLevelDigit(0)), level >= 10);
    EXPECT_EQ(m_game->GetLevelDigit(1)->GetX(), level >= 10 ? 174.0f : 164.0f);
    EXPECT_EQ(m_game->GetLevelDigit(1)->GetAnimationId(), static_cast<uint32_t>(level % 10));
    // The aim time starts with the aiming.
    m_game->ResetBall(Game5Node::kAiming);
    m_game->GetPlayer().m_ballHeld = true;
    const int32_t now = static_cast<int32_t>(GameClock::Instance().GetTime());
    Step();
    EXPECT_GE(m_game->GetAimDeadline() - now, c.aim);
    EXPECT_LE(m_game->GetAimDeadline() - now, c.aim + 20);
    EXPECT_EQ(m_game->GetAimWarning(), m_game->GetAimDeadline() - 3000);
  }
  // The level word is never lowered.
  m_game->SetLevel(4);
  EXPECT_EQ(Entry().level, 20);
  EXPECT_EQ(Entry().gameValue, 4u);
}

TEST_F(Game5, TheScoreDigitsStandAtTheirPlacesAndAScoreOfNoughtShowsOneDigit) {
  StartGame();
  for (int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(m_game->GetScoreDigit(i)->GetX(), 616.0f + 20 * i);
    EXPECT_EQ(m_game->GetScoreDigit(i)->GetY(), 562.0f);
    EXPECT_EQ(test::IsShownObject(m_game->GetScoreDigit(i)), i == 4);
  }
  EXPECT_EQ(m_game->GetScoreDigit(4)->GetAnimationId(), 0u);
}

struct StartCase {
  int32_t saved;
  bool cheat;
  int32_t start;
};

class Game5Start : public Game5, public testing::WithParamInterface<StartCase> {};

TEST_P(Game5Start, SavedCurrentLevelsOutsideTheTableAndTheCheatStartWithinIt) {
  const StartCase c = GetParam();
  Entry().gameValue = static_cast<uint32_t>(c.saved);
  Entry().level = 20;
  StartGame(c.cheat ? "cheatmode = KelpIsPurple\n" : "");
  EXPECT_EQ(m_game->GetLevel(), c.start);
  m_game->StartGame();
  m_game->StopSpeech();
  EXPECT_EQ(m_game->GetState(), Game5Node::kLevelStart);
  EXPECT_EQ(m_game->GetLevel(), c.start);
  EXPECT_EQ(Entry().gameValue, static_cast<uint32_t>(c.start));
}

INSTANTIATE_TEST_SUITE_P(Saved, Game5Start,
                         testing::Values(StartCase{0, false, 1}, StartCase{-3, false, 1}, StartCase{99, false, 20},
                                         StartCase{7, false, 7}, StartCase{18, true, 20}, StartCase{3, true, 7}));

TEST_F(Game5, LinesAndSoundsByTheValueDrawn) {
  std::set<int32_t> encourage;
  std::set<int32_t> lost;
  std::set<int32_t> last;
  std::set<std::string> growls;
  std::set<std::string> creaks;
  for (int32_t draw = 0; draw <= 32767; ++draw) {
    encourage.insert(Game5Node::EncourageLineFor(draw));
    lost.insert(Game5Node::ChanceLostLineFor(draw));
    last.insert(Game5Node::LastChanceLineFor(draw));
    growls.insert(Game5Node::GrowlFor(draw));
    creaks.insert(Game5Node::CreakFor(draw));
  }
  EXPECT_EQ(encourage, (std::set<int32_t>{2549, 2550, 2551, 2552, 2553, 2554, 2555, 2556, 2557, 2558, 2601, 2602,
                                          2603}));
  EXPECT_EQ(Game5Node::EncourageLineFor(32767), 2549);
  EXPECT_EQ(Game5Node::EncourageLineFor(0), 2549);
  EXPECT_EQ(Game5Node::EncourageLineFor(32766), 2603);
  std::set<int32_t> lostLines;
  for (int32_t n = 2604; n <= 2616; ++n) {
    if (n != 2612) lostLines.insert(n);
  }
  EXPECT_EQ(lost, lostLines);
  EXPECT_EQ(Game5Node::ChanceLostLineFor(32767), 2604);
  EXPECT_EQ(last, (std::set<int32_t>{2541, 2542}));
  EXPECT_EQ(Game5Node::LastChanceLineFor(32767), 2541);
  EXPECT_EQ(growls.size(), 4u);
  EXPECT_STREQ(Game5Node::GrowlFor(32767), "Garmo_growl04");
  EXPECT_EQ(creaks, (std::set<std::string>{"sub_creak", "sub_creak_01", "sub_creak_02", "sub_creak_03"}));
}

}  // namespace
