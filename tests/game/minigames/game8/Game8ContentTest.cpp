// The shell game on damaged copies of the generated content: no text data or no levels in it, a
// required object missing or of another class, conversations and lines missing, movies missing. The
// game ends through a text naming what is missing, or plays on; it never crashes or stops for good.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game8Stage.h"
#include "framework/GameButton.h"
#include "framework/MoviePlayer.h"
#include "framework/MouseCursor.h"

namespace {

using Names = std::vector<std::string>;

class ShellContent : public test::Game8Stage {
protected:
  void SetUp() override {
    test::Game8Stage::SetUp();
    UseContentCopy();
  }
  // Both object files without the section of that object, or with its class changed.
  using test::Game8Stage::EditObjectFile;
  void EditObjectFile(const std::string& name, const std::string& newClass) {
    for (const char* file : {"ShellGame.txt", "ShellGame_SDL.txt"}) EditObjectFile("GAME8", file, name, newClass);
  }
  // Five right guesses; the fifth's answer cut short.
  void CompleteLevel() {
    while (m_game->GetLevelWins() < 4) RightGuess();
    ClickShell(BlennyIndex());
    AnswerUntil([&] { return !m_game->IsLevelComplete() || MoviePlayer::Instance().IsPlaying(); });
  }
};

// Traced runs: the game's own error lines are read.
class TracedShellContent : public ShellContent {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
  static void TearDownTestSuite() { unsetenv("PILO_TRACE"); }
};

}  // namespace

TEST_F(ShellContent, EachRequiredObjectIsNamedWhenMissingOrOfAnotherClass) {
  struct Case {
    const char* object;
    const char* newClass;
    const char* text;
  };
  for (const Case& c : {Case{"shell0", "", "Object 'shell0' missing from 'ShellGame'\n"},
                        Case{"shell1", "ambient", "Object 'shell1' of 'ShellGame' is of another class\n"},
                        Case{"shell2", "", "Object 'shell2' missing from 'ShellGame'\n"},
                        Case{"blenny", "", "Object 'blenny' missing from 'ShellGame'\n"},
                        Case{"banner", "", "Object 'banner' missing from 'ShellGame'\n"},
                        Case{"banner", "ambient", "Object 'banner' of 'ShellGame' is of another class\n"},
                        Case{"LevelButton_0", "", "Object 'LevelButton_0' missing from 'ShellGame'\n"},
                        Case{"LevelButton_1", "ambient", "Object 'LevelButton_1' of 'ShellGame' is of another class\n"}}) {
    SCOPED_TRACE(std::string(c.object) + " " + c.newClass);
    UseContentCopy();
    EditObjectFile(c.object, c.newClass);
    const std::string thrown = EnterThrowing();
    // The file the game reads: the low-spec one without an alpha-capable display.
    std::string text = c.text;
    if (m_app.IsLowSpec()) text.replace(text.find("'ShellGame'"), 11, "'ShellGame_SDL'");
    EXPECT_EQ(thrown, text);
    m_app.Shutdown();
  }
}

// The objects the game can do without: it plays a turn without them.
TEST_F(ShellContent, TheOptionalObjectsMayBeMissing) {
  for (const char* name : {"bubbles", "anchor_expression", "anchor_eye_right", "navbar", "CheckBox_2", "ScoreBoard_1"})
    EditObjectFile(name, "");
  StartAndWait();
  RightGuess();
  WrongGuess();
  EXPECT_EQ(m_game->GetScore(), 10u);
}

// Without its text data the game plays one level: no points, no swaps, at speed 1, and says why.
TEST_F(TracedShellContent, WithoutItsTextDataOneLevelIsPlayed) {
  RemoveContent("GAME8", "SG_progression.txt");
  testing::internal::CaptureStderr();
  StartGame();
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("ERROR: 'SG_progression' gives 'num_levels' = 0; one level is played."), std::string::npos)
      << trace;
  EXPECT_EQ(m_game->GetNumLevels(), 1);
  ReachWaiting();
  EXPECT_EQ(m_game->GetSwapsToDo(), -1);
  EXPECT_EQ(m_game->GetSwapsDone(), 0);
  EXPECT_FLOAT_EQ(m_game->GetSpeed(), 1.0f);
  EXPECT_EQ(m_game->GetPointsPerWin(), 0);
  // No sounds named: the guesses answer in silence.
  EXPECT_EQ(m_game->GetYaySound(0), nullptr);
  WrongGuess();
  // Level 1 is the last: after its prize it is played again.
  Entry().levelFlags[0] = 1;
  CompleteLevel();
  EXPECT_EQ(m_game->GetLevel(), 1);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
}

TEST_F(TracedShellContent, NoLevelsCountsOneAndSwapsThatNeverRiseStop) {
  WriteProgression("shell_layers = 400 500 600\r\nscore = 10 60\r\nnum_levels = 0\r\nmax_speed = 2\r\nswaps = 0 0\r\n");
  testing::internal::CaptureStderr();
  StartGame();
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("'num_levels' = 0"), std::string::npos) << trace;
  EXPECT_EQ(m_game->GetNumLevels(), 1);
  ReachWaiting();
  EXPECT_EQ(m_game->GetSwapsToDo(), -1);
  RightGuess();
  EXPECT_EQ(m_game->GetScore(), 10u);
}

// Fewer than six levels: a prize at the last level keeps the level there.
TEST_F(ShellContent, APrizeAtTheLastLevelOfFewerThanSixKeepsTheLevel) {
  WriteProgression("shell_layers = 400 500 600\r\nscore = 10 60\r\nnum_levels = 2\r\nmax_speed = 2\r\nswaps = 0 2\r\n");
  Entry().level = 2;
  Entry().gameValue = 2;
  Entry().levelFlags[0] = 1;
  StartAndWait();
  CompleteLevel();
  ASSERT_TRUE(MoviePlayer::Instance().IsPlaying());
  m_app.PostCharEvent('x');
  Frame();
  EXPECT_EQ(m_game->GetLevel(), 2);
  EXPECT_EQ(Entry().level, 2);
  EXPECT_EQ(Entry().levelFlags[1], 1);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  // A level-up click at the top changes nothing.
  m_game->OnObjectClicked(m_game->GetLevelUpButton());
  EXPECT_EQ(m_game->GetLevel(), 2);
}

// Yays and boos that the text data does not name are passed over; those named keep turning.
TEST_F(ShellContent, TheRotationPassesOverSoundsNotNamed) {
  WriteProgression(
      "shell_layers = 400 500 600\r\nscore = 10 60\r\nnum_levels = 6\r\nmax_speed = 2\r\nswaps = 0 6\r\n"
      "sounds = g8_yay1 g8_yay2\r\n");
  StartAndWait();
  EXPECT_NE(m_game->GetYaySound(1), nullptr);
  EXPECT_EQ(m_game->GetYaySound(2), nullptr);
  EXPECT_EQ(m_game->GetBooSound(0), nullptr);
  const size_t mark = Mark();
  for (int i = 0; i < 3; ++i) RightGuess();
  WrongGuess();
  Names yays;
  for (const std::string& name : StartedSince(mark)) {
    if (name.rfind("yay_sound", 0) == 0 || name.rfind("boo_sound", 0) == 0) yays.push_back(name);
  }
  EXPECT_EQ(yays, Names({"yay_sound1", "yay_sound2", "yay_sound1"}));
  EXPECT_EQ(m_game->GetBooIndex(), 0);
}

// Without the opening conversation nothing is said: the shell shows, closes at the opening's end, and
// the game goes on with the input on.
TEST_F(ShellContent, WithoutTheOpeningConversationTheGameGoesOn) {
  RemoveContent("GAME8", "G8_conv_next_time.txt");
  StartGame();
  ASSERT_TRUE(FramesUntil([&] { return !m_game->IsIntro(); }, 100));
  EXPECT_TRUE(m_game->IsIntroShellClosed());
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
  RightGuess();
  EXPECT_EQ(m_game->GetScore(), 10u);
}

// Without the answers' conversations a guess waits only for the delay.
TEST_F(ShellContent, WithoutTheAnswersTheGuessesWaitOnlyForTheDelay) {
  RemoveContent("GAME8", "G8_conv_win.txt");
  RemoveContent("GAME8", "G8_conv_lose.txt");
  StartAndWait();
  for (int i = 0; i < 2; ++i) {
    const size_t mark = Mark();
    ClickShell(i == 0 ? BlennyIndex() : OtherIndex());
    EXPECT_EQ(m_game->GetState(), Game8Node::kSpeech);
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
    EXPECT_TRUE(LinesSince(mark).empty());
    EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
  }
  EXPECT_EQ(m_game->GetScore(), 10u);
}

// The line that closes the shell cut short, or played from its placeholder: the shell still closes
// at the opening's end, and the reveal runs to the first turn.
TEST_F(ShellContent, TheShellClosesAtTheOpeningsEndWhenItsLineNeverEnds) {
  for (const bool cut : {true, false}) {
    SCOPED_TRACE(cut ? "cut short" : "placeholder");
    UseContentCopy();
    if (!cut) {
      RemoveContent("GAME8", "1960.wav", "eng_usa");
    }
    StartGame();
    const GameShell* shell = m_game->GetShell(BlennyIndex());
    ASSERT_TRUE(FramesUntil([&] { return Speaking(); }));
    if (cut) m_app.PostCharEvent(' ');
    ASSERT_TRUE(FramesUntil([&] { return !m_game->IsIntro(); }));
    EXPECT_TRUE(m_game->IsIntroShellClosed());
    EXPECT_EQ(shell->GetObject()->GetAnimationId(), GameShell::kClosing);
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
    m_app.Shutdown();
  }
}

// Prize and ending movies that cannot start: the game goes on as after them, with one reveal.
TEST_F(ShellContent, MissingMoviesLeadOnAsTheirEndsWould) {
  RemoveContent("Movies", "Prize_Conch.bik");
  StartAndWait();
  CompleteLevel();
  EXPECT_EQ(Entry().levelFlags[0], 1);
  EXPECT_EQ(m_game->GetLevel(), 2);
  EXPECT_EQ(m_game->GetState(), Game8Node::kWaiting);
  int reveals = 0;
  ASSERT_TRUE(FramesUntil([&] {
    if (m_game->GetState() == Game8Node::kRevealRunning) ++reveals;
    return Waiting();
  }));
  EXPECT_GE(reveals, 1);
  // Once waiting, no second reveal comes.
  for (int i = 0; i < 300; ++i) {
    Frame();
    ASSERT_EQ(m_game->GetState(), Game8Node::kWaiting);
  }
}

// Level 5 without its prize and the ending: the lines after the ending, then level 6.
TEST_F(ShellContent, MissingEndingMoviesLeadToTheClosingLines) {
  for (const char* movie : {"Prize_Pearl.bik", "ShellFMV.bik"}) RemoveContent("Movies", movie);
  Entry().level = 5;
  Entry().gameValue = 5;
  for (int i = 0; i < 4; ++i) Entry().levelFlags[i] = 1;
  StartAndWait();
  while (m_game->GetLevelWins() < 4) RightGuess();
  ClickShell(BlennyIndex());
  const size_t mark = Mark();
  AnswerUntil([&] { return m_game->GetState() == Game8Node::kLastLines || m_game->GetLevel() == 6; });
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetLevel() == 6; }));
  EXPECT_TRUE(m_game->IsEndingMovieSeen());
  const Names lines = LinesSince(mark);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(Names(lines.end() - 2, lines.end()), Names({"6000", "6001"}));
  EXPECT_EQ(Entry().level, 6);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
}
