// The memory game on damaged copies of the generated content: a missing database, object, rock
// sprite, settings file or click sound, and place lists too short or too long. The game ends
// through a text naming what is missing, or plays on with its fallback; it never crashes.
#include <gtest/gtest.h>

#include <string>

#include "Game9Stage.h"

namespace {

class Content : public test::Game9Stage {
protected:
  using test::Game9Stage::EditObjectFile;
  void EditObjectFile(const std::string& name, const std::string& newClass) {
    EditObjectFile("Game9", "GAME9_Concentration.txt", name, newClass);
  }
  void WriteSettings(const std::string& lines) { ReplaceContent("Game9", "ConcentrationData.txt", lines); }
};

}  // namespace

TEST_F(Content, WithoutItsDatabaseTheGameEndsNamingTheFirstObject) {
  UseContentCopy();
  std::filesystem::remove_all(m_content / "universal" / "Game9");
  std::filesystem::remove_all(m_content / "eng_usa" / "Game9");
  EXPECT_EQ(EnterThrowing(), "Object 'helpButton' missing from 'GAME9_Concentration'\n");
}

// The database without its object file names the first object it lacks.
TEST_F(Content, WithoutItsObjectFileTheGameEndsNamingTheFirstObject) {
  UseContentCopy();
  RemoveContent("Game9", "GAME9_Concentration.txt");
  EXPECT_EQ(EnterThrowing(), "Object 'helpButton' missing from 'GAME9_Concentration'\n");
}

TEST_F(Content, EachRequiredObjectIsNamedWhenMissingOrOfAnotherClass) {
  struct Case {
    const char* object;
    const char* newClass;
    const char* text;
  };
  for (const Case& c :
       {Case{"banner", "", "Object 'banner' missing from 'GAME9_Concentration'\n"},
        Case{"banner", "ambient", "Object 'banner' of 'GAME9_Concentration' is of another class\n"},
        Case{"Zelka", "", "Object 'Zelka' missing from 'GAME9_Concentration'\n"},
        Case{"Zelka_head", "", "Object 'Zelka_head' missing from 'GAME9_Concentration'\n"},
        Case{"SliderTensNum", "", "Object 'SliderTensNum' missing from 'GAME9_Concentration'\n"},
        Case{"PointsTenThousandsNum", "", "Object 'PointsTenThousandsNum' missing from 'GAME9_Concentration'\n"}}) {
    SCOPED_TRACE(std::string(c.object) + " " + c.newClass);
    UseContentCopy();
    EditObjectFile(c.object, c.newClass);
    EXPECT_EQ(EnterThrowing(), c.text);
    m_app.Shutdown();
    std::filesystem::remove_all(m_content);
  }
}

// A rock sprite is needed only by the boards that use it.
TEST_F(Content, AMissingRockEndsTheGameAtTheFirstBoardThatNeedsIt) {
  UseContentCopy();
  RemoveContent("Game9", "RockBlennyHard.qela");
  StartAndPlay();
  for (const int32_t index : {0, 5, 8}) {
    m_game->GetLevelSelector()->SetIndex(index);
    m_game->NewBoard();
  }
  m_game->GetLevelSelector()->SetIndex(12);
  try {
    m_game->NewBoard();
    FAIL() << "no text thrown";
  } catch (const char* text) {
    EXPECT_STREQ(text, "Failed to load sprite 'RockBlennyHard'\n");
  }
}

// Without settings every time is 0 and every card lies at (0, 0); a pair still scores.
TEST_F(Content, WithoutSettingsTheCardsLieAtTheCornerAndPlayGoesOn) {
  UseContentCopy();
  RemoveContent("Game9", "ConcentrationData.txt");
  StartAndPlay();
  EXPECT_EQ(m_game->GetStayFlippedTime(), 0);
  for (const auto& card : m_game->GetCards()) {
    EXPECT_EQ(card->GetX(), 0.0f);
    EXPECT_EQ(card->GetY(), 0.0f);
  }
  // The topmost of the stack takes the clicks; turn it and the one beneath by hand.
  const auto pairs = Pairs();
  MoveTo(10, 10);
  m_game->OnObjectClicked(pairs[0].first);
  m_game->OnObjectClicked(pairs[0].second);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetTurnedCount() == 0; }));
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 10);
}

// A short list leaves the places it does not reach at 0; values past the places are ignored.
TEST_F(Content, ShortAndOverlongPlaceListsFillWhatTheyReach) {
  UseContentCopy();
  WriteSettings(
      "StayFlippedTime = 300\r\nBEGINDELAYTIME = 50\r\n"
      "EasycardPlacementX = 10, 20, 30\r\nEasycardPlacementY = 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\r\n"
      "hardcardplacementx = (5, 6)\r\n");
  StartGame();
  EXPECT_EQ(m_game->GetBeginDelayTime(), 50);
  const auto& easy = m_game->GetEasyPlacements();
  for (size_t k = 0; k < easy.size(); ++k) {
    EXPECT_EQ(easy[k].X(), k < 3 ? static_cast<int32_t>(10 * (k + 1)) : 0) << k;
    EXPECT_EQ(easy[k].Y(), static_cast<int32_t>(k + 1)) << k;
  }
  const auto& hard = m_game->GetHardPlacements();
  EXPECT_EQ(hard[0].X(), 5);
  EXPECT_EQ(hard[1].X(), 6);
  EXPECT_EQ(hard[2].X(), 0);
  for (const auto& card : m_game->GetCards()) EXPECT_LE(card->GetX(), 30.0f);
}

// Without the click sound's file the cards still turn.
TEST_F(Content, AMissingClickSoundTurnsTheCardSilently) {
  UseContentCopy();
  RemoveContent("Game9", "rock_over.wav");
  StartAndPlay();
  const auto pair = Pairs().front();
  Try(pair.first, pair.second);
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 10);
}
