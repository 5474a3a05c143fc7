// The ride's node in the game's frames on the generator's content: activation and every write to the
// game entry, the required objects and the level data, the score display, the level selector, the
// gameplay timers, the progress bar, the vortex and its misses, the won levels with their prizes and
// closing movie, and the way out to the hub.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game7Stage.h"
#include "framework/CCSound.h"
#include "framework/GameButton.h"
#include "framework/LevelBanner.h"
#include "framework/MoviePlayer.h"
#include "game7/Game7LevelProgress.h"
#include "game7/Game7LevelSelector.h"
#include "game7/Game7PointsDisplay.h"

namespace {

using test::Game7Entry;
using test::Shown;

std::string NameOf(const GameSound* sound) {
  return sound && sound->GetEngineSound() ? sound->GetEngineSound()->GetId() : "";
}

class Game7 : public test::Game7Stage {
protected:
  // Plays the level to its win: the vortex catches the turtle and its animation runs out.
  void WinCurrentLevel() {
    ASSERT_TRUE(RunUntilPlaying());
    m_game->ReachVortex();
    ASSERT_EQ(m_game->GetState(), Game7Node::IN_VORTEX);
    ASSERT_TRUE(RunUntil([&] { return m_game->GetState() != Game7Node::IN_VORTEX; }));
  }
  bool RunUntilNoMovie() {
    return RunUntil([] { return !MoviePlayer::Instance().IsPlaying(); });
  }
};

TEST_F(Game7, AFirstVisitOpensLevelOneClearsSuccessAndStartsTheLevelOfTheSave) {
  Game7Entry().firstTime = 1;
  Game7Entry().level = 4;
  Game7Entry().gameFlag = 1;
  Game7Entry().gameValue = 1;
  StartGame();
  EXPECT_STREQ(m_game->GetName(), "Rudura Zizuru 2");
  EXPECT_EQ(Game7Entry().level, 1);
  EXPECT_EQ(Game7Entry().gameFlag, 0);
  EXPECT_EQ(Game7Entry().gameValue, 1u);
  EXPECT_EQ(m_game->GetLevelIndex(), 0);
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_FALSE(m_game->IsQuitAllowed());
  // Level 1 of 1 open: no left arrow, the right one shown but disabled.
  EXPECT_FALSE(Shown(m_game->FindObject("Sliderleft")));
  auto* right = dynamic_cast<GameButton*>(m_game->FindObject("Sliderright"));
  EXPECT_TRUE(Shown(right));
  EXPECT_FALSE(right->IsEnabled());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
  // The turtle waits at the data's start place; the vortex off the screen.
  EXPECT_FLOAT_EQ(Turtle().GetX(), 200.0f);
  EXPECT_FLOAT_EQ(Turtle().GetY(), 300.0f);
  EXPECT_EQ(Turtle().GetAnimationId(), 10u);
  EXPECT_FLOAT_EQ(m_game->GetVortex()->GetX(), 1000.0f);
  EXPECT_EQ(m_game->GetVortex()->GetAnimationId(), 1u);
}

TEST_F(Game7, ALaterVisitStartsAtTheLastLevelPlayedAndSavedLevelsOutsideTheTableAtLevelOne) {
  struct Case {
    uint32_t saved;
    int32_t index;
  };
  const Case cases[] = {{7, 6}, {20, 19}, {1, 0}, {0, 0}, {21, 0}, {0xFFFFFFFFu, 0}};
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saved);
    Game7Entry() = GameProgress();
    Game7Entry().firstTime = 0;
    Game7Entry().level = 20;
    Game7Entry().gameValue = c.saved;
    Revisit();
    EXPECT_EQ(m_game->GetLevelIndex(), c.index);
    EXPECT_EQ(Game7Entry().gameValue, static_cast<uint32_t>(c.index + 1));
    EXPECT_EQ(Game7Entry().level, 20);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), c.index + 1);
  }
}

TEST_F(Game7, TheSelectorShowsOneOrTwoDigitsAndItsArrowsFollowTheOpenLevel) {
  struct Case {
    uint32_t last;
    int32_t open;
    bool left, right, rightEnabled;
    float onesX;
    float tensX;
  };
  const Case cases[] = {
      {1, 1, false, true, false, 165.0f, 1000.0f}, {1, 3, false, true, true, 165.0f, 1000.0f},
      {9, 9, true, true, false, 165.0f, 1000.0f},  {10, 12, true, true, true, 172.5f, 157.5f},
      {19, 20, true, true, true, 172.5f, 157.5f},  {20, 20, true, false, false, 172.5f, 157.5f},
  };
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    Game7Entry().firstTime = 0;
    Game7Entry().level = c.open;
    Game7Entry().gameValue = c.last;
    Revisit();
    EXPECT_EQ(Shown(m_game->FindObject("Sliderleft")), c.left);
    auto* right = dynamic_cast<GameButton*>(m_game->FindObject("Sliderright"));
    EXPECT_EQ(Shown(right), c.right);
    if (c.right) {
      EXPECT_EQ(right->IsEnabled(), c.rightEnabled);
    }
    EXPECT_FLOAT_EQ(Object("SliderOnesNum")->GetX(), c.onesX);
    EXPECT_EQ(Object("SliderOnesNum")->GetAnimationId(), c.last % 10);
    EXPECT_FLOAT_EQ(Object("SliderTensNum")->GetX(), c.tensX);
    if (c.last >= 10) {
      EXPECT_EQ(Object("SliderTensNum")->GetAnimationId(), c.last / 10);
    }
  }
}

TEST_F(Game7, TheArrowsChangeTheLevelWithinTheOpenOnesClearTheScoreAndRestart) {
  Game7Entry().firstTime = 0;
  Game7Entry().level = 3;
  Game7Entry().gameValue = 2;
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  m_game->GetPointsDisplay()->m_score = 40;
  GenericObject* left = m_game->FindObject("Sliderleft");
  GenericObject* right = m_game->FindObject("Sliderright");
  m_game->OnObjectClicked(right);
  EXPECT_EQ(m_game->GetLevelIndex(), 2);
  EXPECT_EQ(m_game->GetScore(), 0);
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_EQ(Game7Entry().gameValue, 3u);
  // Level 3 is the last open one.
  m_game->GetPointsDisplay()->m_score = 40;
  m_game->OnObjectClicked(right);
  EXPECT_EQ(m_game->GetLevelIndex(), 2);
  EXPECT_EQ(m_game->GetScore(), 40);
  for (int32_t expected : {1, 0, 0}) {
    m_game->OnObjectClicked(left);
    EXPECT_EQ(m_game->GetLevelIndex(), expected);
  }
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
  EXPECT_EQ(Game7Entry().gameValue, 1u);
}

TEST_F(Game7, AKnockedOutTurtleKeepsItsLevelWhenAnArrowIsClicked) {
  Game7Entry().firstTime = 0;
  Game7Entry().level = 3;
  Game7Entry().gameValue = 1;
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  m_game->GetPointsDisplay()->m_score = 40;
  m_game->SetState(Game7Node::KNOCKED_OUT);
  m_game->OnObjectClicked(m_game->FindObject("Sliderright"));
  EXPECT_EQ(m_game->GetLevelIndex(), 1);
  EXPECT_EQ(m_game->GetState(), Game7Node::KNOCKED_OUT);
  EXPECT_EQ(m_game->GetScore(), 40);
  EXPECT_EQ(Game7Entry().gameValue, 1u);
}

TEST_F(Game7, TheScoreShowsOneToFiveDigitsRightAligned) {
  StartGame();
  const char* const names[] = {"PointsOnesNum", "PointsTensNum", "PointsHundredsNum", "PointsThousandsNum",
                               "PointsTenThousandsNum"};
  struct Case {
    int32_t score;
    std::vector<uint32_t> digits;  // ones first
  };
  const Case cases[] = {
      {0, {0}},
      {9, {9}},
      {10, {0, 1}},
      {99, {9, 9}},
      {100, {0, 0, 1}},
      {999, {9, 9, 9}},
      {1000, {0, 0, 0, 1}},
      {9999, {9, 9, 9, 9}},
      {10000, {0, 0, 0, 0, 1}},
      {43210, {0, 1, 2, 3, 4}},
      {250000, {0, 0, 0, 0, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    m_game->GetPointsDisplay()->m_score = c.score;
    m_game->GetPointsDisplay()->Refresh();
    for (size_t d = 0; d < 5; ++d) {
      SpriteObject* digit = Object(names[d]);
      if (d < c.digits.size()) {
        EXPECT_FLOAT_EQ(digit->GetX(), Game7Node::PointsDisplay::kX[d]) << d;
        EXPECT_FLOAT_EQ(digit->GetY(), 558.0f) << d;
        EXPECT_EQ(digit->GetAnimationId(), c.digits[d]) << d;
      } else {
        EXPECT_FLOAT_EQ(digit->GetX(), 1000.0f) << d;
      }
    }
  }
}

TEST_F(Game7, TheBannersEndArmsTheTimersWithinTheLevelsIntervals) {
  StartGame();
  const uint32_t before = m_game->GetReleaseDelay();
  EXPECT_EQ(before, 180000u);
  ASSERT_TRUE(RunUntilPlaying());
  const Game7Node::LevelSettings& level = m_game->CurrentLevel();
  EXPECT_GE(m_game->GetReleaseDelay(), static_cast<uint32_t>(level.m_minReleaseTime));
  EXPECT_LT(m_game->GetReleaseDelay(), static_cast<uint32_t>(level.m_maxReleaseTime));
  EXPECT_GE(m_game->GetAnimateDelay(), 200u);
  EXPECT_LT(m_game->GetAnimateDelay(), 700u);
  EXPECT_EQ(m_game->GetChatterDelay(), 3500u);
  // Every restart of the release timer draws from the interval again.
  for (int i = 0; i < 20; ++i) {
    Frame(500);
    EXPECT_GE(m_game->GetReleaseDelay(), static_cast<uint32_t>(level.m_minReleaseTime));
    EXPECT_LT(m_game->GetReleaseDelay(), static_cast<uint32_t>(level.m_maxReleaseTime));
    EXPECT_GE(m_game->GetChatterDelay(), 3500u);
    EXPECT_LT(m_game->GetChatterDelay(), 5000u);
  }
  // The chatter timer speaks the first chatter line.
  EXPECT_EQ(StartsOf("3540"), 1u);
}

TEST_F(Game7, TheBarStepsThroughTheLevelAndTheVortexCrossesWhenTimeIsUp) {
  SetLevelLine("LevelDuration", AllLevels("LevelDuration", "600"));
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  SpriteObject* bar = Object("ProgressBar");
  EXPECT_EQ(bar->GetAnimationId(), 0u);
  const uint32_t start = m_game->GetLevelStartTime();
  std::vector<uint32_t> seen;
  ASSERT_TRUE(RunUntil(
      [&] {
        if (seen.empty() || seen.back() != bar->GetAnimationId()) seen.push_back(bar->GetAnimationId());
        return m_game->GetLevelStartTime() != start;
      },
      100, 10));
  // Steps of 100 ms: each picture once the elapsed steps pass it by more than one.
  EXPECT_EQ(seen, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(StartsOf("VortexOnScreen") == 1);
  SpriteObject* vortex = m_game->GetVortex();
  const float speed = m_game->CurrentLevel().CombinedSpeed() - 75.0f;
  EXPECT_FLOAT_EQ(vortex->GetSpeed(), speed);
  const auto& heights = m_game->GetLevelTable()->m_vortexY;
  EXPECT_NE(std::find(heights.begin(), heights.end(), vortex->GetY()), heights.end());
  EXPECT_FLOAT_EQ(vortex->GetX(), 1000.0f);
}

TEST_F(Game7, TwoMissedVorticesComeBackAndTheThirdAndLaterRestartTheLevel) {
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  SpriteObject* vortex = m_game->GetVortex();
  const auto miss = [&] {
    vortex->SetPosition(-100.0f, 300.0f);
    vortex->SetVelocity(0.0f, 0.0f);
    Frame();
  };
  miss();
  EXPECT_EQ(m_game->GetVortexMisses(), 1);
  EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3505");
  EXPECT_FLOAT_EQ(vortex->GetX(), 1000.0f);
  EXPECT_EQ(m_game->GetState(), Game7Node::IDLE);
  miss();
  EXPECT_EQ(m_game->GetVortexMisses(), 2);
  EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3454");
  EXPECT_EQ(Object("ProgressBar")->GetAnimationId(), 0u);
  miss();
  EXPECT_EQ(m_game->GetVortexMisses(), 3);
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  ASSERT_TRUE(RunUntilPlaying());
  miss();
  EXPECT_EQ(m_game->GetVortexMisses(), 4);
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  // Reaching a vortex clears the count.
  ASSERT_TRUE(RunUntilPlaying());
  m_game->ReachVortex();
  EXPECT_EQ(m_game->GetVortexMisses(), 0);
}

TEST_F(Game7, NoVortexIsMissedOutsidePlay) {
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  SpriteObject* vortex = m_game->GetVortex();
  for (const int32_t state : {Game7Node::KNOCKED_OUT, Game7Node::IN_VORTEX, Game7Node::GAME_OVER}) {
    SCOPED_TRACE(state);
    m_game->SetState(state);
    vortex->SetPosition(-100.0f, 300.0f);
    vortex->SetVelocity(0.0f, 0.0f);
    Frame();
    EXPECT_EQ(m_game->GetVortexMisses(), 0);
  }
}

TEST_F(Game7, ReachingTheVortexScoresMarksSuccessAndWinsWhenItsAnimationEnds) {
  Game7Entry().firstTime = 0;
  Game7Entry().level = 9;
  Game7Entry().gameValue = 9;
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  m_game->GetPointsDisplay()->m_score = 120;
  m_game->ReachVortex();
  EXPECT_EQ(Game7Entry().gameFlag, 1);
  EXPECT_EQ(m_game->GetScore(), 170);
  EXPECT_EQ(StartsOf("vortex"), 1u);
  EXPECT_EQ(Turtle().GetAnimationId(), 13u);
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() != Game7Node::IN_VORTEX; }));
  // Level 9 has no prize: level 10 starts at once, the score kept and now the high score.
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_EQ(m_game->GetLevelIndex(), 9);
  EXPECT_EQ(Game7Entry().level, 10);
  EXPECT_EQ(Game7Entry().gameValue, 10u);
  EXPECT_EQ(m_game->GetScore(), 170);
  EXPECT_EQ(Game7Entry().highScore, 170u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
}

TEST_F(Game7, ALowerScoreLeavesTheHighScore) {
  Game7Entry().highScore = 500;
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  m_game->GetPointsDisplay()->m_score = 100;
  m_game->StartLevel();
  EXPECT_EQ(Game7Entry().highScore, 500u);
  EXPECT_EQ(ActivePlayerData.newResult, 0);
}

TEST_F(Game7, EachOfTheFirstFourLevelsAwardsItsPrizeMovieOnce) {
  const char* const movies[] = {"Prize_Conch", "Prize_Sanddollar", "Prize_Anchor", "Prize_Ship"};
  Game7Entry().firstTime = 0;
  Game7Entry().level = 1;
  StartGame();
  for (int32_t index = 0; index < 4; ++index) {
    SCOPED_TRACE(index);
    Game7Entry().gameValue = static_cast<uint32_t>(index + 1);
    Revisit();
    WinCurrentLevel();
    EXPECT_EQ(m_game->GetState(), Game7Node::PLAYING_MOVIE);
    EXPECT_STREQ(MoviePlayer::Instance().GetName(), movies[index]);
    EXPECT_EQ(Game7Entry().levelFlags[index], 1);
    EXPECT_EQ(m_game->GetLevelIndex(), index + 1);
    EXPECT_EQ(Game7Entry().level, index + 2);
    ASSERT_TRUE(RunUntilNoMovie());
    EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), index + 2);
    EXPECT_FALSE(m_game->IsFinalMoviePending());
  }
  // Again: no movie, straight on.
  Game7Entry().gameValue = 2;
  Revisit();
  WinCurrentLevel();
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_EQ(m_game->GetLevelIndex(), 2);
  EXPECT_EQ(Game7Entry().level, 5);
}

TEST_F(Game7, TheFifthPrizeIsFollowedByTheClosingMovieTwoLinesAndLevelSix) {
  Game7Entry().firstTime = 0;
  Game7Entry().level = 5;
  Game7Entry().gameValue = 5;
  StartGame();
  WinCurrentLevel();
  EXPECT_STREQ(MoviePlayer::Instance().GetName(), "Prize_Pearl");
  EXPECT_TRUE(m_game->IsFinalMoviePending());
  ASSERT_TRUE(RunUntil([] { return std::string(MoviePlayer::Instance().GetName()) == "TurtleFMV"; }));
  EXPECT_TRUE(m_game->IsAfterFinalMovie());
  ASSERT_TRUE(RunUntilNoMovie());
  EXPECT_EQ(StartsOf("6000"), 1u);
  EXPECT_EQ(m_game->GetState(), Game7Node::PLAYING_MOVIE);
  ASSERT_TRUE(RunUntil([&] { return StartsOf("6001") == 1; }));
  EXPECT_EQ(m_game->GetState(), Game7Node::PLAYING_MOVIE);
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game7Node::START_LEVEL; }));
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
  EXPECT_EQ(Game7Entry().level, 6);
  EXPECT_EQ(Game7Entry().levelFlags[4], 1);

  // Won again: no movie, level 6 at once.
  Game7Entry().gameValue = 5;
  Revisit();
  WinCurrentLevel();
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
}

TEST_F(Game7, MissingMoviesAndLinesNeitherRepeatNorHang) {
  struct Case {
    const char* removedMovie;
    bool removeFinal;
    const char* removedLine;
  };
  const Case cases[] = {
      {"Prize_Pearl", false, nullptr}, {nullptr, true, nullptr}, {"Prize_Pearl", true, nullptr},
      {nullptr, false, "6000"},        {nullptr, true, "6001"},
  };
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.removedMovie ? c.removedMovie : "-") + (c.removeFinal ? " TurtleFMV" : "") +
                 (c.removedLine ? c.removedLine : ""));
    Game7Entry() = GameProgress();
    Game7Entry().firstTime = 0;
    Game7Entry().level = 5;
    Game7Entry().gameValue = 5;
    Revisit();
    // Unreadable files stand for missing ones: the player cannot tell them apart.
    if (c.removedMovie) m_stage.AddFile(std::string(c.removedMovie) + ".bik", "not a movie");
    if (c.removeFinal) m_stage.AddFile("TurtleFMV.bik", "not a movie");
    if (c.removedLine) m_stage.AddFile(std::string(c.removedLine) + ".wav", "not a wave");
    WinCurrentLevel();
    ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game7Node::START_LEVEL; }, 600));
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
    EXPECT_EQ(Game7Entry().levelFlags[4], 1);
    EXPECT_EQ(Game7Entry().level, 6);
    EXPECT_FALSE(m_game->IsFinalMoviePending());
    EXPECT_FALSE(m_game->IsAfterFinalMovie());
    EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
    // Nothing starts over on its own afterwards.
    Frames(50);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
    for (const char* name : {"Prize_Pearl.bik", "TurtleFMV.bik"})
      m_stage.AddFile(name, test::ReadFile("movie.tmp"));
    for (const char* name : {"6000", "6001"}) m_stage.AddWave(name, test::Tone(300));
  }
}

TEST_F(Game7, WinningLevelTwentyStartsItAgain) {
  Game7Entry().firstTime = 0;
  Game7Entry().level = 20;
  Game7Entry().gameValue = 20;
  StartGame();
  WinCurrentLevel();
  EXPECT_EQ(m_game->GetLevelIndex(), 19);
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_EQ(Game7Entry().level, 20);
  EXPECT_EQ(Game7Entry().gameValue, 20u);
}

TEST_F(Game7, TheExitButtonHoldsTheTurtleStillAndLeavesForTheHub) {
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  m_game->OnObjectClicked(m_game->FindObject("exit1"));
  EXPECT_TRUE(m_game->IsLeaving());
  EXPECT_EQ(m_game->GetState(), Game7Node::GAME_OVER);
  test::NodeLog().clear();
  ASSERT_TRUE(RunUntil([] {
    return NodeManager::Instance().GetCurrentNode() &&
           !dynamic_cast<Game7Node*>(NodeManager::Instance().GetCurrentNode());
  }));
  m_game = nullptr;
  EXPECT_NE(std::find(test::NodeLog().begin(), test::NodeLog().end(), "activate 6"), test::NodeLog().end());
}

TEST_F(Game7, OverTheTurtleIsHeldStillAndTheExitButtonDisabled) {
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  Turtle().MoveToward(600.0f, 300.0f, 200.0f);
  Turtle().SetAnimation(4, 0);
  m_game->SetState(Game7Node::GAME_OVER);
  Frame();
  EXPECT_EQ(Turtle().GetSpeed(), 0.0f);
  EXPECT_EQ(Turtle().GetAnimationId(), 0u);
  EXPECT_FALSE(m_game->GetExitButton()->IsEnabled());
  // No timer runs: the level never times out.
  const uint32_t start = m_game->GetLevelStartTime();
  Frames(100);
  EXPECT_EQ(m_game->GetLevelStartTime(), start);
}

// ---------------------------------------------------------------------------------------------
// Bad content

TEST_F(Game7, WithoutLevelDataTheGameEndsNamingIt) {
  RemoveTextFile(Game7Node::kLevelDataName);
  EXPECT_EQ(StartThrowing(), "Text data 'RuduraZizuru2Data' missing\n");
}

class Game7RequiredObject : public test::Game7Stage, public testing::WithParamInterface<const char*> {};

TEST_P(Game7RequiredObject, MissingEndsTheGameNamingIt) {
  RemoveObject(GetParam());
  EXPECT_EQ(StartThrowing(),
            std::string("Object '") + GetParam() + "' missing from 'GAME7_RuduraZizuru_sdl'\n");
}

INSTANTIATE_TEST_SUITE_P(All, Game7RequiredObject,
                         testing::Values("Vortex", "livesMeter", "ProgressBar", "exit1", "banner", "help",
                                         "NavBar", "Sliderleft", "Sliderright", "SliderOnesNum",
                                         "SliderTensNum", "PointsOnesNum", "PointsTensNum",
                                         "PointsHundredsNum", "PointsThousandsNum", "PointsTenThousandsNum",
                                         "introBragoHead", "introZelkaTalkie", "introTovinHead"));

class Game7ObjectOfAnotherClass : public test::Game7Stage, public testing::WithParamInterface<const char*> {};

TEST_P(Game7ObjectOfAnotherClass, EndsTheGameNamingIt) {
  ReplaceObjectClass(GetParam(), "ambient");
  EXPECT_EQ(StartThrowing(),
            std::string("Object '") + GetParam() + "' of 'GAME7_RuduraZizuru_sdl' is of another class\n");
}

INSTANTIATE_TEST_SUITE_P(All, Game7ObjectOfAnotherClass, testing::Values("Sliderright", "exit1", "banner"));

TEST_F(Game7, WithoutTheTurtlesSpriteTheGameEndsNamingIt) {
  RemoveSprite("BragoTurtle");
  EXPECT_EQ(StartThrowing(), "Failed to load sprite 'BragoTurtle'\n");
}

TEST_F(Game7, LevelsBreakingTheLimitsPlayOnWithoutDividingByZero) {
  for (const char* key : {"LevelDuration", "MinReleaseTime", "MaxReleaseTime"}) SetLevelLine(key, "");
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  EXPECT_EQ(m_game->GetReleaseDelay(), 0u);
  // The level ends at once and its vortex crosses; the bar's step is 1 ms.
  Frames(20);
  EXPECT_GE(StartsOf("VortexOnScreen"), 1u);
  EXPECT_EQ(m_game->GetLevelTable()->Level(0).BarStep(), 1u);
}

TEST_F(Game7, LevelKeysInTheRoomDataAreIgnored) {
  SetLevelLine("StartPositionX", "");
  for (auto& file : m_content.m_textFiles) {
    if (file.m_name == "GAME7_roomdata") file.m_lines.push_back("StartPositionX = 555");
  }
  StartGame();
  EXPECT_FLOAT_EQ(Turtle().GetX(), 0.0f);
}

}  // namespace
