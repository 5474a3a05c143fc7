// The swim game's course on the generated content: the states from the first visit to play, the
// greetings, the clock and its last segment, time up and the replay, the win with its time bonus and
// prize, the next level, the continue dialog's two answers, the closing movie and the credits, and
// the high score written on leaving.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Game6Stage.h"
#include "framework/Ambient.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MusicManager.h"
#include "framework/NPC.h"
#include "game6/Game6Hud.h"
#include "game6/Game6Items.h"
#include "game6/Game6Pilo.h"
#include "sound/Sound.h"

namespace {

using Names = std::vector<std::string>;
using test::Game6Entry;
using test::SetOverallLevel;

class Game6Flow : public test::Game6Stage {
protected:
  static uint32_t Now() { return GameClock::Instance().GetTime(); }

  // The states the node passes through, each once in order, until the condition holds.
  std::vector<int32_t> StatesUntil(const std::function<bool()>& condition, int limit = 600) {
    std::vector<int32_t> states{m_game->GetState()};
    for (int frame = 0; frame < limit && !condition(); ++frame) {
      Frame(20);
      if (states.back() != m_game->GetState()) states.push_back(m_game->GetState());
    }
    return states;
  }

  std::string Music() const {
    const GameSound* music = MusicManager::Instance().GetCurrentMusic();
    return music && music->GetEngineSound() ? music->GetEngineSound()->GetName() : "none";
  }

  static bool Plays(const GameSound* sound) {
    return sound && sound->GetEngineSound() && sound->GetEngineSound()->IsPlaying();
  }

  // Takes the level's last scallop: the others count as taken already.
  void TakeLastScallop() {
    for (int32_t i = 0; i < m_game->GetItemCount(); ++i) {
      const Game6Node::ItemRecord record = Game6Node::ItemRecordOf(m_game->GetLevel(), i);
      if (record.kind != Game6Node::Game6Item::kScallop || !m_game->m_items[static_cast<size_t>(i)]) continue;
      m_game->m_scallopsTaken = m_game->GetScallopTotal() - 1;
      m_game->TouchItem(i, record, static_cast<int32_t>(Now()));
      return;
    }
    FAIL() << "no scallop in the level";
  }

  // The level is won with this much of the clock left: the current segment's rest and whole
  // segments after it.
  void WinWith(int32_t restOfSegment, int32_t segmentsAfter) {
    m_game->m_tickDeadline = static_cast<int32_t>(Now()) + restOfSegment;
    m_game->m_ticksLeft = segmentsAfter + 1;
    TakeLastScallop();
  }

  bool RunUntilState(int32_t state, int limit = 600) {
    return RunUntil([&] { return m_game->GetState() == state; }, limit);
  }
};

TEST_F(Game6Flow, AFirstVisitSpeaksTheIntroThenTheBannerTheSwimInAndTheFishsEntryLeadToPlay) {
  StartGame();
  ASSERT_TRUE(RunUntil([&] { return Lines().size() >= 2; }));
  EXPECT_EQ(Lines(), (Names{"3820", "3822"}));
  // Space cuts the intro short: the pair swims off and the level starts without the other lines.
  m_game->OnChar(' ');
  const auto states = StatesUntil([&] { return m_game->GetState() == Game6Node::PLAYING; });
  EXPECT_EQ(states, (std::vector<int32_t>{Game6Node::INTRO_SPEECH, Game6Node::LEVEL_BANNER, Game6Node::SWIM_IN,
                                          Game6Node::SET_UP, Game6Node::FISH_ENTERS, Game6Node::PLAYING}));
  EXPECT_EQ(Lines(), (Names{"3820", "3822"}));
  EXPECT_EQ(m_game->FindObject("G6_Intro_Tovin"), nullptr);
  EXPECT_EQ(m_game->FindObject("G6_Intro_Pilo_Mouth"), nullptr);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
  EXPECT_GE(m_game->GetFish()->GetX(), 400.0f);
  EXPECT_EQ(m_game->GetCamera()->GetVelocityX(), m_game->GetScrollSpeed());
  EXPECT_EQ(Music(), Game6Node::kPlayMusic);
  // The clock's first segment starts as play does.
  EXPECT_GT(m_game->GetTickDeadline(), static_cast<int32_t>(Now()) + 17400 - 100);
}

TEST_F(Game6Flow, AReturningPlayerHearsTheShortGreetingOrBeforeTheLastLevelTheLongOne) {
  struct Case {
    int32_t overall, levelWord, finalWon;
    Names lines;
  } cases[] = {
      {0, 1, 0, {"3910", "3920", "3930"}},
      {4, 5, 0, {"3940", "3950", "3960", "3970"}},
      {4, 5, 1, {"3910", "3920", "3930"}},
      {3, 5, 0, {"3910", "3920", "3930"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.overall * 100 + c.levelWord * 10 + c.finalWon);
    SetOverallLevel(c.overall);
    Game6Entry().firstTime = 0;
    Game6Entry().level = c.levelWord;
    Game6Entry().gameFlag = static_cast<uint8_t>(c.finalWon);
    Game6Entry().gameValue2 = 4;
    m_sounds.entries.clear();
    if (m_game) {
      Revisit();
    } else {
      StartGame();
    }
    EXPECT_EQ(m_game->GetState(), Game6Node::RETURNING_VISIT);
    ASSERT_TRUE(RunUntilState(Game6Node::LEVEL_BANNER, 2000));
    EXPECT_EQ(Lines(), c.lines);
  }
}

TEST_F(Game6Flow, TheClockTicksBySegmentsAndTheLastOneTicksAloudToTheUrgentMusic) {
  StartPlaying();
  Game6Node::Game6Hud* hud = m_game->GetGameHud();
  EXPECT_EQ(hud->GetTimer()->GetAnimationId(), 0u);
  m_game->m_tickDeadline = static_cast<int32_t>(Now());
  Frame(20);
  EXPECT_EQ(m_game->GetTicksLeft(), 9);
  EXPECT_EQ(hud->GetTimer()->GetAnimationId(), 1u);
  EXPECT_GE(m_game->GetTickDeadline(), static_cast<int32_t>(Now()) + 17400 - 20);
  EXPECT_FALSE(Plays(m_game->GetTimerSound()));
  // The last segment.
  m_game->m_ticksLeft = 2;
  m_game->m_tickDeadline = static_cast<int32_t>(Now());
  Frame(20);
  EXPECT_EQ(m_game->GetTicksLeft(), 1);
  EXPECT_EQ(hud->GetTimer()->GetAnimationId(), 9u);
  EXPECT_TRUE(Plays(m_game->GetTimerSound()));
  EXPECT_EQ(Music(), Game6Node::kUrgentMusic);
  // A level change by the arrows or the cheat keys stops the ticking with the level.
  m_game->RestartLevel();
  EXPECT_FALSE(Plays(m_game->GetTimerSound()));
  EXPECT_EQ(m_game->GetTicksLeft(), 10);
  EXPECT_EQ(hud->GetTimer()->GetAnimationId(), 0u);
}

TEST_F(Game6Flow, TimeUpSaysALoseLineKeepsTheTotalAndReplaysTheSameLevel) {
  StartPlaying();
  m_game->m_totalScore = 1500;
  m_game->m_levelScore = 300;
  m_game->m_ticksLeft = 1;
  m_game->m_tickDeadline = static_cast<int32_t>(Now());
  const size_t spokenBefore = Lines().size();
  Frame(20);
  EXPECT_EQ(m_game->GetGameHud()->GetTimer()->GetAnimationId(), 10u);
  ASSERT_TRUE(RunUntilState(Game6Node::LOSE_LINES, 10));
  EXPECT_EQ(m_game->GetCamera()->GetVelocityX(), 0.0f);
  EXPECT_FALSE(Plays(m_game->GetTimerSound()));
  EXPECT_EQ(Music(), Game6Node::kLoseMusic);
  ASSERT_GT(Lines().size(), spokenBefore);
  const std::string lose = Lines().back();
  EXPECT_TRUE(lose == "3990" || lose == "3980" || lose == "3842") << lose;
  // The line ends long before the six seconds of the lose music: the replay waits for them.
  ASSERT_TRUE(RunUntilState(Game6Node::WAITING_TO_REPLAY));
  const uint32_t waiting = Now();
  ASSERT_TRUE(RunUntilState(Game6Node::SWIM_IN, 800));
  EXPECT_GE(Now() - waiting, 4000u);
  EXPECT_EQ(m_game->GetLevel(), 0);
  EXPECT_EQ(m_game->GetLevelScore(), 0);
  EXPECT_EQ(m_game->GetTotalScore(), 1500);
  // The bar shows the total kept, not nought.
  EXPECT_EQ(m_game->GetGameHud()->GetScoreDigit(2)->GetAnimationId(), 1u);
  EXPECT_EQ(m_game->GetGameHud()->GetScoreDigit(3)->GetAnimationId(), 5u);
  EXPECT_EQ(m_game->GetTicksLeft(), 10);
  EXPECT_EQ(m_game->GetScallopsTaken(), 0);
  ASSERT_TRUE(RunUntilPlaying());
}

TEST_F(Game6Flow, TheTimeBonusIsTwoPointsPerWholeSecondLeftOnTheWholeClock) {
  StartGame();
  struct Case {
    int32_t rest, ticksLeft, bonus;
  } cases[] = {
      {17400, 10, 2 * 174}, {5500, 3, 2 * 40}, {999, 1, 0}, {1000, 1, 2}, {-100, 1, 0}, {-100, 2, 2 * 17}, {0, 0, 0},
  };
  const uint32_t now = 100000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rest);
    m_game->m_tickDeadline = static_cast<int32_t>(now) + c.rest;
    m_game->m_ticksLeft = c.ticksLeft;
    EXPECT_EQ(m_game->TimeBonus(now), c.bonus);
  }
}

TEST_F(Game6Flow, TheWinAddsTheBonusRingsThePrizeAndAfterItsMovieGoesOnToTheNextLevel) {
  SetOverallLevel(4);
  StartPlaying();
  m_game->m_levelScore = 700;
  m_game->m_totalScore = 2000;
  WinWith(5010, 2);
  EXPECT_EQ(m_game->GetState(), Game6Node::LEVEL_WON);
  EXPECT_EQ(m_game->GetLevelScore(), 800);
  Frame(10);
  // 5 s of this segment and two more: 2 x 39 points.
  EXPECT_EQ(m_game->GetTotalScore(), 2000 + 800 + 78);
  EXPECT_EQ(m_game->GetLevelScore(), 0);
  EXPECT_EQ(m_game->GetState(), Game6Node::PRIZE);
  // The bar shows the total with the bonus: 2878.
  EXPECT_EQ(m_game->GetGameHud()->GetScoreDigit(2)->GetAnimationId(), 2u);
  EXPECT_EQ(m_game->GetGameHud()->GetScoreDigit(5)->GetAnimationId(), 8u);
  EXPECT_EQ(StartsOf("Bell"), 1u);
  EXPECT_EQ(m_game->GetCamera()->GetVelocityX(), 0.0f);
  EXPECT_EQ(Game6Entry().highScore, 2878u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  // The companion cheers, then the prize movie plays once.
  ASSERT_TRUE(RunUntilState(Game6Node::LEVEL_BANNER));
  EXPECT_EQ(m_movies->names, (Names{"Prize_wood"}));
  EXPECT_EQ(Game6Entry().levelFlags[0], 1);
  EXPECT_EQ(m_game->GetLevel(), 1);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 2);
  EXPECT_EQ(Game6Entry().gameValue2, 1u);
  EXPECT_EQ(Game6Entry().gameValue, 2u);
  EXPECT_GE(Game6Entry().level, 2);
  EXPECT_EQ(m_game->GetFish()->GetX(), m_game->GetTovin()->GetX());
  EXPECT_EQ(m_game->GetFish()->GetY(), 300.0f);
  EXPECT_FALSE(m_game->IsContinueDialogOpen());
  ASSERT_TRUE(RunUntilPlaying());
  EXPECT_EQ(m_game->GetHoopCount(), 5);
  // A level won before: no movie, straight on.
  m_game->SetLevel(0);
  m_game->RestartLevel();
  m_game->SetState(Game6Node::PLAYING);
  WinWith(0, 0);
  ASSERT_TRUE(RunUntilState(Game6Node::LEVEL_BANNER));
  EXPECT_EQ(m_movies->names, (Names{"Prize_wood"}));
  EXPECT_EQ(m_game->GetLevel(), 1);
}

// What the same step tests after the last scallop (an obstacle, kelp, a spraying spout, a bubble wall
// later in the table) no longer knocks, holds or lifts the fish: the won level stays won.
TEST_F(Game6Flow, AfterTheLastScallopNothingTouchedInTheSameStepUndoesTheWin) {
  SetOverallLevel(4);
  StartPlaying();
  m_game->SetLevel(4);
  m_game->RestartLevel();
  m_game->SetState(Game6Node::PLAYING);
  using Item = Game6Node::Game6Item;
  // A coral wall, a stalactite, kelp, a low bubble wall, ground and ceiling spouts.
  for (const int32_t kind : {7, 10, 15, 12, 16, 18}) {
    SCOPED_TRACE(kind);
    int32_t index = -1;
    for (int32_t i = 0; i < m_game->GetItemCount() && index < 0; ++i) {
      if (Game6Node::ItemRecordOf(4, i).kind == kind) index = i;
    }
    ASSERT_GE(index, 0);
    Item* item = m_game->m_items[static_cast<size_t>(index)];
    if (Item::IsSpout(kind)) item->SetAnimation(Game6Node::Game6WaterSpout::kSpraying, 0);
    m_game->SetState(Game6Node::LEVEL_WON);
    m_game->TouchItem(index, Game6Node::ItemRecordOf(4, index), static_cast<int32_t>(Now()));
    EXPECT_EQ(m_game->GetState(), Game6Node::LEVEL_WON);
    EXPECT_EQ(m_game->GetFish()->m_anchor, m_game->GetCamera());
  }
}

TEST_F(Game6Flow, TheTotalStaysWithinTheCapWhenTheBonusComesOnTop) {
  SetOverallLevel(4);
  StartPlaying();
  m_game->m_totalScore = 99900;
  m_game->m_levelScore = 0;
  WinWith(30000, 9);
  EXPECT_EQ(m_game->GetLevelScore(), 99);
  Frame(10);
  EXPECT_EQ(m_game->GetTotalScore(), Game6Node::kScoreCap);
  EXPECT_EQ(Game6Entry().highScore, static_cast<uint32_t>(Game6Node::kScoreCap));
}

class Game6Continue : public Game6Flow, public testing::WithParamInterface<bool> {};

// At the highest level the player may play, the prize's end asks whether to go on.
TEST_P(Game6Continue, AfterTheLastAllowedPrizeYesReplaysTheLevelAndNoSaysGoodbyeAndGoesToTheHub) {
  const bool yes = GetParam();
  SetOverallLevel(0);
  Game6Entry().firstTime = 0;
  StartPlaying();
  WinWith(2000, 0);
  ASSERT_TRUE(RunUntil([&] { return m_game->IsContinueDialogOpen(); }));
  EXPECT_EQ(m_movies->names, (Names{"Prize_wood"}));
  EXPECT_EQ(Game6Entry().gameValue2, 1u);
  EXPECT_EQ(Game6Entry().gameValue, 1u);
  EXPECT_EQ(m_game->GetScroll().X(), 0);
  EXPECT_TRUE(m_game->IsPanelAttached(0));
  FEOverlayDialog* dialog = m_game->GetContinueDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(m_game->GetOverlay(), dialog);
  EXPECT_TRUE(GetApp().IsPaused());
  const size_t spoken = Lines().size();
  m_game->OnObjectClicked(yes ? static_cast<GenericObject*>(dialog->GetYesButton())
                              : static_cast<GenericObject*>(dialog->GetNoButton()));
  EXPECT_FALSE(m_game->IsContinueDialogOpen());
  EXPECT_NE(m_game->GetOverlay(), dialog);
  EXPECT_FALSE(GetApp().IsPaused());
  if (yes) {
    ASSERT_TRUE(RunUntilState(Game6Node::LEVEL_BANNER, 10));
    EXPECT_EQ(m_game->GetLevel(), 0);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
    EXPECT_EQ(Music(), Game6Node::kPlayMusic);
    ASSERT_TRUE(RunUntilPlaying());
    EXPECT_NE(CurrentNode(), kNodeHub);
  } else {
    EXPECT_EQ(m_game->GetState(), Game6Node::LEAVING);
    ASSERT_TRUE(RunUntil([&] { return CurrentNode() == kNodeHub; }));
    m_game = nullptr;
    EXPECT_EQ(Lines().at(spoken), "4043");
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, Game6Continue, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Yes" : "No"; });

class Game6Final : public Game6Flow, public testing::WithParamInterface<bool> {};

// The W 4 player wins level 5: the congratulations, then the closing movie, then the credits; a
// closing movie that cannot play ends inside its start and the credits still come.
TEST_P(Game6Final, TheLastLevelsWinCongratulatesAndTheClosingMovieLeadsToTheCredits) {
  const bool movie = GetParam();
  if (!movie) {
    RemoveMovie("Final");
    m_runMovies.clear();
  }
  SetOverallLevel(4);
  Game6Entry().firstTime = 0;
  Game6Entry().level = 5;
  Game6Entry().gameValue2 = 4;
  for (int i = 0; i < 4; ++i) Game6Entry().levelFlags[i] = 1;
  StartPlaying();
  EXPECT_EQ(m_game->GetLevel(), 4);
  WinWith(1000, 0);
  Frame(10);
  EXPECT_EQ(Game6Entry().gameFlag, 1);
  EXPECT_EQ(StartsOf("Congratulations"), 1u);
  ASSERT_TRUE(RunUntil([&] { return CurrentNode() == kNodeCreditScreen; }, 800));
  m_game = nullptr;
  EXPECT_EQ(m_movies->names, (Names{"Final"}));
  EXPECT_EQ(Game6Entry().levelFlags[4], 1);
}

INSTANTIATE_TEST_SUITE_P(Movie, Game6Final, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Plays" : "Missing"; });

TEST_F(Game6Flow, LeavingByTheBackArrowKeepsAHigherTotalAsTheHighScoreAndALowerOneChangesNothing) {
  struct Case {
    uint32_t saved;
    int32_t total;
    uint32_t kept;
    uint8_t newResult;
  } cases[] = {{1000, 1200, 1200, 1}, {1000, 900, 1000, 0}, {1000, 1000, 1000, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.total);
    ActivePlayerData.newResult = 0;
    Game6Entry().highScore = c.saved;
    if (m_game) {
      Revisit();
    } else {
      StartGame();
    }
    m_game->m_totalScore = c.total;
    m_game->OnObjectClicked(m_game->GetBackButton());
    ASSERT_TRUE(RunUntil([&] { return CurrentNode() == kNodeHub; }));
    EXPECT_EQ(Game6Entry().highScore, c.kept);
    EXPECT_EQ(ActivePlayerData.newResult, c.newResult);
  }
}

}  // namespace
