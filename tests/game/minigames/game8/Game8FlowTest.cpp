// The shell game's way through a visit on the generated content: the opening with the shell shown,
// the states of a turn, guesses and their answers, the level buttons, prizes and the ending movie,
// and the record the visit leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game8Stage.h"
#include "framework/GameButton.h"
#include "framework/MoviePlayer.h"

namespace {

using Names = std::vector<std::string>;
using States = std::vector<int32_t>;

class ShellFlow : public test::Game8Stage {
protected:
  // The states after each frame until the condition, each once for as long as it lasts.
  template <typename Condition>
  States StatesUntil(Condition condition, int limit = 3000) {
    States states{m_game->GetState()};
    for (int frame = 0; frame < limit && !condition(); ++frame) {
      Frame();
      if (m_game->GetState() != states.back()) states.push_back(m_game->GetState());
    }
    EXPECT_TRUE(condition());
    return states;
  }
  // The fifth right guess of the level; its answer cut short, then frames until the turn start has
  // chosen the prize or the level-up.
  void CompleteLevel() {
    while (m_game->GetLevelWins() < 4) RightGuess();
    ClickShell(BlennyIndex());
    EXPECT_TRUE(m_game->IsLevelComplete());
    AnswerUntil([&] { return !m_game->IsLevelComplete() || MoviePlayer::Instance().IsPlaying(); });
  }
  bool BannerShows() const { return m_game->GetBanner()->GetAnimationId() != 0; }
  std::string CheckBoxes() const {
    std::string looks;
    for (int i = 0; i < 5; ++i) {
      const auto* box = dynamic_cast<SpriteObject*>(m_game->FindObject(("CheckBox_" + std::to_string(i)).c_str()));
      looks += box ? static_cast<char>('0' + box->GetAnimationId()) : '-';
    }
    return looks;
  }
};

}  // namespace

// A first visit: the opening's lines with the blenny's shell open until "1940" has ended, then the
// banner, the reveal, the closing, the turn start, no swaps at level 1, the hand-over.
TEST_F(ShellFlow, AFirstVisitsOpeningShowsTheShellUntilItsLastLine) {
  Entry().firstTime = 1;
  const size_t mark = Mark();
  StartGame();
  EXPECT_EQ(Entry().firstTime, 0);
  EXPECT_EQ(m_game->GetState(), Game8Node::kSpeech);
  EXPECT_TRUE(m_game->IsIntro());
  EXPECT_EQ(m_game->GetLevel(), 1);
  EXPECT_EQ(m_game->GetScore(), 0u);
  EXPECT_EQ(Music(), "JFB_music_22k");
  Frame();
  GameShell* shell = m_game->GetShell(BlennyIndex());
  EXPECT_EQ(shell->GetObject()->GetAnimationId(), GameShell::kOpening);
  EXPECT_TRUE(test::Shown(m_game->GetBlenny()));
  EXPECT_TRUE(Speaking());
  ASSERT_TRUE(FramesUntil([&] { return LinesSince(mark).size() == 3; }));
  EXPECT_EQ(shell->GetObject()->GetAnimationId(), GameShell::kOpening) << "open during the lines";
  ASSERT_TRUE(FramesUntil([&] { return m_game->IsIntroShellClosed(); }));
  EXPECT_EQ(shell->GetObject()->GetAnimationId(), GameShell::kClosing);
  EXPECT_EQ(LinesSince(mark), Names({"1900", "1910", "1940"}));

  const States states = StatesUntil([&] { return Waiting(); });
  // The opening ended with its last line; the banner's end starts the reveal (1, left in its frame).
  EXPECT_EQ(states, States({Game8Node::kWaiting, Game8Node::kRevealRunning, Game8Node::kClosing,
                            Game8Node::kTurnStart, Game8Node::kSwapping, Game8Node::kHandOver, Game8Node::kWaiting}));
  EXPECT_FALSE(m_game->IsIntro());
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
  EXPECT_EQ(m_game->GetSwapsToDo(), 0);
  EXPECT_EQ(m_game->GetSwapsDone(), 0);
  EXPECT_EQ(m_game->GetPointsPerWin(), 10);
  EXPECT_FALSE(test::Shown(m_game->GetBlenny()));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(m_game->GetShell(i)->GetObject()->GetAnimationId(), GameShell::kRest);
}

TEST_F(ShellFlow, ALaterVisitHearsTheShorterOpening) {
  const size_t mark = Mark();
  StartGame();
  ASSERT_TRUE(FramesUntil([&] { return m_game->IsIntroShellClosed(); }));
  EXPECT_EQ(LinesSince(mark), Names({"1950", "1960"}));
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
}

// A right guess: the shell opens over the blenny, the points, the next yay, the next win look, a
// check box, the anchor's face, a line of the win conversation; then the closing leads to the next
// turn. A wrong one: all shells open, the next boo, a lose line, the wins kept.
TEST_F(ShellFlow, GuessesScoreRotateTheirSoundsAndKeepTheWins) {
  StartAndWait();
  const int hiding = BlennyIndex();
  size_t mark = Mark();
  ClickShell(hiding);
  EXPECT_EQ(m_game->GetState(), Game8Node::kSpeech);
  EXPECT_EQ(m_game->GetNextState(), Game8Node::kClosing);
  EXPECT_EQ(m_game->GetScore(), 10u);
  EXPECT_EQ(m_game->GetLevelWins(), 1);
  EXPECT_EQ(m_game->GetYayIndex(), 1);
  EXPECT_EQ(m_game->GetShell(hiding)->GetObject()->GetAnimationId(), GameShell::kOpening);
  EXPECT_EQ(m_game->GetShell(OtherIndex())->GetObject()->GetAnimationId(), GameShell::kRest);
  EXPECT_EQ(m_game->GetBlenny()->GetAnimationId(), 0u);
  EXPECT_EQ(m_game->GetWinAnimation(), 1);
  EXPECT_EQ(dynamic_cast<SpriteObject*>(m_game->FindObject("anchor_expression"))->GetAnimationId(), 1u);
  EXPECT_FALSE(ShellsEnabled());
  Frame();
  EXPECT_EQ(CheckBoxes(), "10000");
  AnswerUntil([&] { return Waiting(); });
  const Names first = StartedSince(mark);
  EXPECT_NE(std::find(first.begin(), first.end(), "yay_sound1"), first.end());
  EXPECT_EQ(LinesSince(mark), Names({"1970"}));

  // Wrong guesses between keep the wins and rotate the boos and the lose lines.
  mark = Mark();
  for (int i = 0; i < 4; ++i) {
    ClickShell(OtherIndex());
    EXPECT_EQ(m_game->GetLevelWins(), 1);
    EXPECT_EQ(m_game->GetScore(), 10u);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(m_game->GetShell(k)->GetObject()->GetAnimationId(), GameShell::kOpening);
    EXPECT_EQ(dynamic_cast<SpriteObject*>(m_game->FindObject("anchor_expression"))->GetAnimationId(), 2u);
    EXPECT_EQ(m_game->GetBooIndex(), (i + 1) % 3);
    AnswerUntil([&] { return Waiting(); });
  }
  Names boos;
  for (const std::string& name : StartedSince(mark)) {
    if (name.rfind("boo_sound", 0) == 0) boos.push_back(name);
  }
  EXPECT_EQ(boos, Names({"boo_sound1", "boo_sound2", "boo_sound3", "boo_sound1"}));
  EXPECT_EQ(LinesSince(mark), Names({"1980", "1981", "1980", "1981"}));
  EXPECT_EQ(CheckBoxes(), "10000");

  mark = Mark();
  for (int win = 2; win <= 4; ++win) RightGuess();
  EXPECT_EQ(m_game->GetLevelWins(), 4);
  EXPECT_EQ(m_game->GetScore(), 40u);
  EXPECT_EQ(CheckBoxes(), "11110");
  EXPECT_EQ(m_game->GetYayIndex(), 1);
  EXPECT_EQ(m_game->GetWinAnimation(), 4);
  EXPECT_EQ(LinesSince(mark), Names({"1971", "1972", "1970"}));
}

// The blenny is drawn above the shells only in its look 4; the win looks wrap at its animation count
// (six), also across a level's end (the top level, played again).
TEST_F(ShellFlow, TheBlennysLooksWrapAndOnlyLookFourIsAboveTheShells) {
  Entry().level = 6;
  Entry().gameValue = 6;
  StartAndWait();
  const int32_t rest = m_game->GetShell(0)->GetRestLayer();
  for (int win = 0; win < 7; ++win) {
    SCOPED_TRACE(win);
    ClickShell(BlennyIndex());
    EXPECT_EQ(m_game->GetBlenny()->GetAnimationId(), static_cast<uint32_t>(win % 6));
    EXPECT_EQ(m_game->GetBlenny()->GetZ(), win % 6 == 4 ? rest + 1 : rest - 1);
    AnswerUntil([&] { return Waiting(); });
  }
  EXPECT_EQ(m_game->GetLevel(), 6);
  EXPECT_EQ(m_game->GetLevelWins(), 2);
}

// The buttons by level and level reached: down hidden and off at 1; up hidden at the last level and
// off at the level reached.
TEST_F(ShellFlow, TheLevelButtonsFollowTheLevelAndTheLevelReached) {
  struct Case {
    int32_t reached;
    uint32_t level;
    bool downShown, downOn, upShown, upOn;
  };
  Entry().level = 3;
  StartAndWait();
  GameButton* down = m_game->GetLevelDownButton();
  GameButton* up = m_game->GetLevelUpButton();
  for (const Case& c : {Case{1, 1, false, false, true, false}, Case{3, 1, false, false, true, true},
                        Case{3, 2, true, true, true, true}, Case{3, 3, true, true, true, false},
                        Case{6, 5, true, true, true, true}, Case{6, 6, true, true, false, false},
                        Case{9, 6, true, true, false, false}}) {
    SCOPED_TRACE("reached " + std::to_string(c.reached) + " level " + std::to_string(c.level));
    Entry().level = c.reached;
    m_game->GetLevelDisplay()->SetValue(c.level);
    Frame();
    EXPECT_EQ(test::Shown(down), c.downShown);
    EXPECT_EQ(down->IsEnabled(), c.downOn);
    EXPECT_EQ(test::Shown(up), c.upShown);
    EXPECT_EQ(up->IsEnabled(), c.upOn);
  }
}

// Each button click resets the score and the looks, also where the level cannot change; a change
// starts the level again with a reveal.
TEST_F(ShellFlow, LevelButtonsResetScoreAndLooksAndStepOneLevel) {
  Entry().level = 3;
  StartAndWait();
  RightGuess();
  RightGuess();
  ASSERT_EQ(m_game->GetScore(), 20u);
  struct Case {
    bool upward;
    uint32_t before;
    uint32_t after;
  };
  for (const Case& c : {Case{true, 1, 2}, Case{true, 2, 3}, Case{false, 3, 2}, Case{false, 2, 1},
                        Case{false, 1, 1}, Case{true, 6, 6}}) {
    SCOPED_TRACE(std::to_string(c.before) + (c.upward ? " up" : " down"));
    m_game->GetLevelDisplay()->SetValue(c.before);
    m_game->GetShell(OtherIndex())->Open();
    m_game->GetBlenny()->SetAnimation(3, 0);
    const int32_t state = m_game->GetState();
    m_game->OnObjectClicked(c.upward ? m_game->GetLevelUpButton() : m_game->GetLevelDownButton());
    EXPECT_EQ(m_game->GetLevel(), static_cast<int32_t>(c.after));
    EXPECT_EQ(m_game->GetScore(), 0u);
    EXPECT_EQ(m_game->GetLevelWins(), c.before == c.after ? 2 : 0);
    EXPECT_EQ(m_game->GetState(), c.before == c.after ? state : Game8Node::kReveal);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(m_game->GetShell(k)->GetObject()->GetAnimationId(), GameShell::kRest);
      EXPECT_EQ(m_game->GetShell(k)->GetObject()->GetZ(), m_game->GetShell(0)->GetRestLayer());
    }
    EXPECT_EQ(m_game->GetBlenny()->GetAnimationId(), 0u);
    EXPECT_EQ(m_game->GetBlenny()->GetCurrentFrame(), m_game->GetBlenny()->GetFrameCount() - 1);
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
    if (c.before != c.after) RightGuess(), RightGuess();
  }
}

// Level 1 completed for the first time: "Prize_Conch", then the music, level 2 and its banner, and
// the record; the next turn reveals once the banner has gone.
TEST_F(ShellFlow, AFirstCompletionPlaysItsPrizeThenRaisesTheLevel) {
  StartAndWait();
  Listen();
  CompleteLevel();
  EXPECT_EQ(Movies(), Names({"Prize_Conch"}));
  EXPECT_TRUE(MoviePlays("Prize_Conch"));
  EXPECT_EQ(Entry().levelFlags[0], 1);
  EXPECT_EQ(m_game->GetState(), Game8Node::kReveal);
  EXPECT_EQ(Music(), "");
  SkipMovie();
  EXPECT_FALSE(MoviePlayer::Instance().IsPlaying());
  EXPECT_EQ(m_game->GetLevel(), 2);
  EXPECT_EQ(m_game->GetLevelWins(), 0);
  EXPECT_FALSE(m_game->IsLevelComplete());
  EXPECT_EQ(m_game->GetState(), Game8Node::kWaiting);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 2);
  EXPECT_TRUE(BannerShows());
  EXPECT_EQ(Music(), "JFB_music_22k");
  EXPECT_EQ(Entry().level, 2);
  EXPECT_EQ(Entry().highScore, 50u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  // One reveal, once the banner has flown.
  const States states = StatesUntil([&] { return Waiting(); });
  EXPECT_EQ(std::count(states.begin(), states.end(), Game8Node::kRevealRunning), 1);
  EXPECT_FALSE(BannerShows());
  EXPECT_EQ(Movies(), Names({"Prize_Conch"}));
  EXPECT_EQ(m_game->GetPointsPerWin(), 18);
  EXPECT_EQ(m_game->GetSwapsToDo(), 1);
}

// An owned prize, or a level below the level reached: no movie, the level rises at once.
TEST_F(ShellFlow, AnOwnedPrizeOrALowerLevelRaisesTheLevelAtOnce) {
  for (const bool owned : {true, false}) {
    SCOPED_TRACE(owned ? "owned" : "below the level reached");
    ActivePlayerData = PlayerData();
    Entry().firstTime = 0;
    Entry().levelFlags[0] = owned ? 1 : 0;
    Entry().level = owned ? 1 : 4;
    StartAndWait();
    Listen();
    CompleteLevel();
    EXPECT_EQ(Movies(), Names());
    EXPECT_EQ(m_game->GetLevel(), 2);
    EXPECT_EQ(m_game->GetState(), Game8Node::kWaiting);
    EXPECT_EQ(Entry().level, owned ? 2 : 4) << "the level reached only rises";
    EXPECT_EQ(Entry().levelFlags[0], owned ? 1 : 0);
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
    m_movies.reset();
    m_app.Shutdown();
  }
}

// The last level completed: it is played again, with its banner.
TEST_F(ShellFlow, TheTopLevelIsPlayedAgain) {
  Entry().level = 6;
  Entry().gameValue = 6;
  StartAndWait();
  ASSERT_EQ(m_game->GetLevel(), 6);
  CompleteLevel();
  EXPECT_EQ(m_game->GetLevel(), 6);
  EXPECT_EQ(m_game->GetLevelWins(), 0);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
  EXPECT_EQ(Entry().level, 6);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  EXPECT_EQ(m_game->GetLevel(), 6);
}

// Level 5 at the level reached with the four prizes before: "Prize_Pearl", "ShellFMV", the lines
// "6000" and "6001" in state 7, and level 6; the ending movie only once.
TEST_F(ShellFlow, TheFifthPrizeLeadsToTheEndingMovieAndTheClosingLines) {
  Entry().level = 5;
  Entry().gameValue = 5;
  for (int i = 0; i < 4; ++i) Entry().levelFlags[i] = 1;
  StartAndWait();
  EXPECT_FALSE(m_game->IsEndingMovieSeen());
  Listen();
  CompleteLevel();
  EXPECT_TRUE(MoviePlays("Prize_Pearl"));
  SkipMovie();
  EXPECT_TRUE(MoviePlays("ShellFMV"));
  EXPECT_TRUE(m_game->IsEndingMovieSeen());
  EXPECT_EQ(m_game->GetLevel(), 5);
  const size_t mark = Mark();
  SkipMovie();
  EXPECT_EQ(m_game->GetState(), Game8Node::kLastLines);
  EXPECT_EQ(Music(), "JFB_music_22k");
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() != Game8Node::kLastLines; }));
  EXPECT_EQ(LinesSince(mark), Names({"6000", "6001"}));
  EXPECT_EQ(m_game->GetLevel(), 6);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
  EXPECT_EQ(Entry().level, 6);
  EXPECT_EQ(Entry().levelFlags[4], 1);
  EXPECT_EQ(Movies(), Names({"Prize_Pearl", "ShellFMV"}));
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));

  // Level 5 again: its prize is owned, so no movie at all.
  m_game->OnObjectClicked(m_game->GetLevelDownButton());
  ASSERT_EQ(m_game->GetLevel(), 5);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  CompleteLevel();
  EXPECT_EQ(Movies(), Names({"Prize_Pearl", "ShellFMV"}));
  EXPECT_EQ(m_game->GetLevel(), 6);
}

// A player past level 5 on arrival never sees the ending movie.
TEST_F(ShellFlow, APlayerPastLevelFiveHasSeenTheEnding) {
  Entry().level = 6;
  Entry().gameValue = 5;
  StartGame();
  EXPECT_TRUE(m_game->IsEndingMovieSeen());
}

// The record on leaving: the level to resume at, the high score only when beaten, the level reached
// only raised; the way back is the hub.
TEST_F(ShellFlow, LeavingKeepsTheLevelToResumeAtAndTheBestResults) {
  Entry().level = 4;
  Entry().highScore = 45;
  Entry().levelFlags[0] = 1;
  StartAndWait();
  CompleteLevel();
  EXPECT_EQ(Entry().highScore, 50u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  EXPECT_EQ(Entry().level, 4);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  m_game->OnObjectClicked(m_game->FindObject("exitButton"));
  m_game = nullptr;
  ASSERT_TRUE(FramesUntil([] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }));
  EXPECT_EQ(Entry().gameValue, 2u);
  EXPECT_EQ(Entry().highScore, 50u);
}

TEST_F(ShellFlow, ALowerScoreLeavesTheHighScore) {
  Entry().level = 4;
  Entry().highScore = 900;
  Entry().levelFlags[0] = 1;
  StartAndWait();
  CompleteLevel();
  EXPECT_EQ(Entry().highScore, 900u);
  EXPECT_EQ(ActivePlayerData.newResult, 0);
}

// The level to resume at is taken to the nearest level there is.
TEST_F(ShellFlow, TheLevelToResumeAtIsTakenToTheNearestLevel) {
  for (const auto& [resume, level] : {std::pair<uint32_t, int32_t>{0, 1}, {3, 3}, {6, 6}, {99, 6}, {0xFFFFFFFFu, 6}}) {
    SCOPED_TRACE(resume);
    ActivePlayerData = PlayerData();
    Entry().firstTime = 0;
    Entry().level = 6;
    Entry().gameValue = resume;
    StartGame();
    EXPECT_EQ(m_game->GetLevel(), level);
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
    EXPECT_EQ(m_game->GetLevel(), level);
    m_app.Shutdown();
  }
}

// A level button while the banner still flies starts the level at once; the banner's later end
// must not reveal again in the middle of a turn (an open shell would never report an end).
TEST_F(ShellFlow, TheBannersEndRevealsOnlyWhileTheShellsWait) {
  Entry().level = 3;
  Entry().levelFlags[0] = 1;
  StartAndWait();
  CompleteLevel();
  ASSERT_EQ(m_game->GetLevel(), 2);
  ASSERT_TRUE(BannerShows());
  m_game->OnObjectClicked(m_game->GetLevelDownButton());
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  const bool stillFlying = BannerShows();
  ClickShell(BlennyIndex());
  AnswerUntil([&] { return Waiting(); });
  EXPECT_EQ(m_game->GetLevelWins(), 1);
  EXPECT_FALSE(BannerShows());
  RightGuess();
  EXPECT_EQ(m_game->GetLevelWins(), 2);
  EXPECT_TRUE(stillFlying) << "the case this test is about did not arise";
}
