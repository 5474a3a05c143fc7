// The progress screen built from records of the player's progress: titles of unplayed games hidden,
// the success pictures, the six digits of every score, the trophies and the overall level, and the
// line spoken for each rule with the random generator seeded to each of its choices.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProgressStage.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/ClosedCaption.h"
#include "framework/UnClickableGameButton.h"
#include "frontend/ProgressDialog.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

using Names = std::vector<std::string>;
using Levels = std::array<int32_t, ProgressDialog::kRowCount>;

// The entries of the rows, top to bottom.
GameProgress& Row(PlayerData& data, int row) {
  return data.games[ProgressDialog::kRowGames[row]];
}
GameProgress& Swim(PlayerData& data) {
  return data.games[ProgressDialog::kSwimGame];
}

void SetLevels(PlayerData& data, const Levels& levels) {
  for (int row = 0; row < ProgressDialog::kRowCount; ++row)
    Row(data, row).level = levels[static_cast<size_t>(row)];
}

// One row's digits as shown: the digit of each animation, '-' for a hidden one.
template <typename DigitAt>
std::string DigitsOf(DigitAt digitAt) {
  std::string shown;
  for (int digit = 0; digit < ProgressDialog::kDigitCount; ++digit) {
    const Ambient* object = digitAt(digit);
    shown += test::Shown(object) ? static_cast<char>('0' + object->GetAnimationId()) : '-';
  }
  return shown;
}

// A picture as "hidden" or the animation it shows.
std::string Look(const Ambient* object) {
  return test::Shown(object) ? std::to_string(object->GetAnimationId()) : "hidden";
}

class ProgressScreen : public test::ProgressStage {
protected:
  void TearDown() override {
    Close();
    ProgressStage::TearDown();
  }

  // The screen as the progress room opens it, over the record as it is now.
  ProgressDialog& Open() {
    Close();
    m_dialog = std::make_unique<ProgressDialog>("ProgressScreen", 0);
    m_room->AttachOverlay(m_dialog.get());
    return *m_dialog;
  }
  void Close() {
    if (m_dialog && m_room) m_room->DetachOverlay(m_dialog.get());
    m_dialog.reset();
  }

  // The line the screen chose, or "none".
  std::string Line() const {
    const CCSound* line = m_dialog->GetNarration();
    return line && line->GetEngineSound() ? line->GetEngineSound()->GetId() : "none";
  }

  std::unique_ptr<ProgressDialog> m_dialog;
};

}  // namespace

TEST_F(ProgressScreen, EachRecordShowsItsTitlesSuccessScoresTrophiesAndOverallLevel) {
  struct Case {
    const char* name;
    std::function<void(PlayerData&)> progress;
    std::array<bool, ProgressDialog::kRowCount> titles;
    Names success;
    Names scores;
    bool swimTitle;
    std::string swimScore;
    std::string firstTrophy;
    std::string secondTrophy;
    std::string levelIcon;
  };
  const Names fresh(ProgressDialog::kRowCount, "-----0");
  const Case cases[] = {
      {"a new player",
       [](PlayerData&) {},
       {false, false, false, false, false},
       Names(5, "0"),
       fresh,
       false,
       "-----0",
       "0",
       "hidden",
       "hidden"},
      {"scores of every size and levels past the last picture",
       [](PlayerData& d) {
         for (int row = 0; row < 4; ++row) Row(d, row).firstTime = 0;
         SetLevels(d, {3, 7, 1, 6, 0});
         Row(d, 0).highScore = 1234567;
         Row(d, 1).highScore = 42;
         Row(d, 2).highScore = 0;
         Row(d, 3).highScore = 100000;
         Row(d, 4).highScore = 9;
         Swim(d).firstTime = 0;
         Swim(d).highScore = 999999;
         Swim(d).levelFlags[0] = 1;
         Swim(d).levelFlags[2] = 1;
       },
       {true, true, true, true, false},
       {"2", "5", "0", "5", "0"},
       {"234567", "----42", "-----0", "100000", "-----9"},
       true,
       "999999",
       "3",
       "hidden",
       "hidden"},
      {"every game past level 3 shows overall level 2",
       [](PlayerData& d) {
         SetLevels(d, {4, 5, 4, 6, 4});
         Swim(d).level = 6;  // the swim game does not count
         Swim(d).levelFlags[1] = 1;
         Swim(d).highScore = 10;
       },
       {false, false, false, false, false},
       {"3", "4", "3", "5", "3"},
       fresh,
       false,
       "----10",
       "2",
       "hidden",
       "2"},
      {"the last prize replaces the overall level by the second trophy",
       [](PlayerData& d) {
         SetLevels(d, {6, 6, 6, 6, 6});
         for (uint8_t& flag : Swim(d).levelFlags) flag = 1;
       },
       {false, false, false, false, false},
       Names(5, "5"),
       fresh,
       false,
       "-----0",
       "4",
       "5",
       "hidden"},
      {"all games done without the last prize show overall level 4",
       [](PlayerData& d) {
         SetLevels(d, {6, 7, 6, 9, 6});
         Swim(d).levelFlags[3] = 1;
       },
       {false, false, false, false, false},
       Names(5, "5"),
       fresh,
       false,
       "-----0",
       "4",
       "hidden",
       "4"},
  };
  StartRoom();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ActivePlayerData = PlayerData();
    c.progress(ActivePlayerData);
    ProgressDialog& dialog = Open();
    for (int row = 0; row < ProgressDialog::kRowCount; ++row) {
      SCOPED_TRACE(row);
      EXPECT_EQ(test::Shown(dialog.GetTitleIcon(row)), c.titles[static_cast<size_t>(row)]);
      EXPECT_EQ(dialog.GetTitleIcon(row)->GetAnimationId(), static_cast<uint32_t>(row));
      EXPECT_EQ(Look(dialog.GetSuccessIcon(row)), c.success[static_cast<size_t>(row)]);
      EXPECT_EQ(DigitsOf([&](int digit) { return dialog.GetScoreDigit(row, digit); }),
                c.scores[static_cast<size_t>(row)]);
    }
    EXPECT_EQ(test::Shown(dialog.GetSwimTitle()), c.swimTitle);
    EXPECT_EQ(DigitsOf([&](int digit) { return dialog.GetSwimDigit(digit); }), c.swimScore);
    EXPECT_EQ(Look(dialog.GetFirstTrophy()), c.firstTrophy);
    EXPECT_EQ(Look(dialog.GetSecondTrophy()), c.secondTrophy);
    EXPECT_EQ(Look(dialog.GetOverallLevelIcon()), c.levelIcon);
  }
}

TEST_F(ProgressScreen, ObjectsStandAtTheirNamesDepthsAndPlaces) {
  StartRoom();
  ProgressDialog& dialog = Open();
  EXPECT_STREQ(dialog.GetBackground()->GetName(), "ProgressScreenDialogBG");
  EXPECT_EQ(dialog.GetBackground()->GetZ(), 9899);
  EXPECT_TRUE(dialog.IsBackground(dialog.GetBackground()));
  EXPECT_FALSE(dialog.IsBackground(dialog.GetExitButton()));
  EXPECT_FALSE(dialog.IsBackground(nullptr));
  EXPECT_EQ(dialog.GetOption(), 0);
  for (int row = 0; row < ProgressDialog::kRowCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(dialog.GetTitleIcon(row)->GetName(), "PSNameIcon" + std::to_string(row));
    EXPECT_EQ(dialog.GetTitleIcon(row)->GetZ(), 9901 + row);
    EXPECT_EQ(dialog.GetSuccessIcon(row)->GetName(), "PSGameSuccess" + std::to_string(row));
    EXPECT_EQ(dialog.GetSuccessIcon(row)->GetZ(), 9910 + row);
    for (int digit = 0; digit < ProgressDialog::kDigitCount; ++digit) {
      const Ambient* object = dialog.GetScoreDigit(row, digit);
      EXPECT_EQ(object->GetName(), "PSGameScore" + std::to_string(6 + 6 * row + digit));
      EXPECT_EQ(object->GetZ(), 9945 + 6 * row + digit);
      EXPECT_EQ(object->GetX(), static_cast<float>(86 + 133 * row + 16 * digit));
      EXPECT_EQ(object->GetY(), 565.0f);
    }
  }
  for (int digit = 0; digit < ProgressDialog::kDigitCount; ++digit) {
    EXPECT_EQ(dialog.GetSwimDigit(digit)->GetName(), "PSSwimScore" + std::to_string(digit));
    EXPECT_EQ(dialog.GetSwimDigit(digit)->GetZ(), 9969 + digit);
    EXPECT_EQ(dialog.GetSwimDigit(digit)->GetX(), static_cast<float>(357 + 16 * digit));
    EXPECT_EQ(dialog.GetSwimDigit(digit)->GetY(), 227.0f);
  }
  EXPECT_STREQ(dialog.GetSwimTitle()->GetName(), "DazodOrerIcon");
  EXPECT_EQ(dialog.GetSwimTitle()->GetZ(), 9927);
  EXPECT_STREQ(dialog.GetFirstTrophy()->GetName(), "TrophymX7b1");
  EXPECT_EQ(dialog.GetFirstTrophy()->GetZ(), 9979);
  EXPECT_STREQ(dialog.GetSecondTrophy()->GetName(), "SSTrophyjK");
  EXPECT_EQ(dialog.GetSecondTrophy()->GetZ(), 9980);
  EXPECT_STREQ(dialog.GetOverallLevelIcon()->GetName(), "SSLevelIcon");
  EXPECT_EQ(dialog.GetOverallLevelIcon()->GetZ(), 9991);
  const UnClickableGameButton* exit = dialog.GetExitButton();
  EXPECT_STREQ(exit->GetName(), "ProgressExit");
  EXPECT_EQ(exit->GetZ(), 9989);
  EXPECT_EQ(exit->GetX(), 5.0f);
  EXPECT_EQ(exit->GetY(), 531.0f);
  EXPECT_EQ(exit->GetRolloverCursor(), 1);
  ASSERT_NE(exit->GetClickSound(), nullptr);
  EXPECT_EQ(exit->GetClickSound()->GetEngineSound()->GetName(), "ButtonDown");
  // Everything of the dialog is listed on it, and its captions are the hub's.
  EXPECT_EQ(dialog.GetObjects().Find("PSGameScore35"), dialog.GetScoreDigit(4, 5));
  ASSERT_NE(dialog.GetCaption(), nullptr);
  EXPECT_NE(dialog.GetCaption()->Find(1430), nullptr);
  // The background is drawn under the other pictures.
  Frame();
  EXPECT_TRUE(ScreenHas(700, 300, test::kDialogRed));
  EXPECT_TRUE(ScreenHas(40, 560, test::kDialogBlue));
}

TEST_F(ProgressScreen, EachRuleSpeaksItsLineForEachDrawOfTheGenerator) {
  struct Case {
    const char* rule;
    Levels levels;
    int32_t swimLevel;
    uint8_t swimSuccess;
    Names lines;  // by the draw modulo their count; "none" for no line
  };
  const Levels one{1, 1, 1, 1, 1};
  const Levels done{6, 6, 6, 7, 6};
  const Case cases[] = {
      {"the swim game won", done, 5, 1, {"1930"}},
      {"all done, swim not", done, 1, 0, {"1610", "1630"}},
      {"all done, swim too", done, 5, 0, {"1590", "1600", "1920"}},
      {"c1 < 5, a row ahead", {3, 1, 1, 1, 1}, 1, 0, {"1431"}},
      {"c1 = 0", one, 1, 0, {"1430", "1865", "1870", "1421"}},
      {"c1 = 1", {2, 1, 1, 1, 1}, 1, 0, {"1440", "1530", "1440"}},
      {"c1 = 2", {2, 2, 1, 1, 1}, 1, 0, {"1450", "1530", "1500", "1450"}},
      {"c1 = 3", {1, 2, 2, 2, 1}, 1, 0, {"1460", "1530", "1500", "1460"}},
      {"c1 = 4", {2, 2, 2, 2, 1}, 1, 0, {"1470", "1530", "1500", "1470"}},
      {"c2 < 5, a row ahead", {2, 2, 2, 2, 4}, 1, 0, {"1431"}},
      {"c2 = 0, swim below 2", {2, 2, 2, 2, 2}, 1, 0, {"1480", "1490", "1850", "1880"}},
      {"c2 = 0, swim at 2", {2, 2, 2, 2, 2}, 2, 0, {"1850", "1510"}},
      {"c2 = 1", {3, 2, 2, 2, 2}, 1, 0, {"1851"}},
      {"c2 = 2", {3, 3, 2, 2, 2}, 1, 0, {"1859", "1860", "1852"}},
      {"c2 = 3", {3, 3, 3, 2, 2}, 1, 0, {"1859", "1860", "1853"}},
      {"c2 = 4", {3, 3, 3, 3, 2}, 1, 0, {"1859", "1860", "1854"}},
      {"c3 < 5, a row ahead", {3, 3, 3, 3, 5}, 1, 0, {"1431"}},
      {"c3 = 0, swim at 2", {3, 3, 3, 3, 3}, 2, 0, {"1855", "1857", "1858", "1890"}},
      {"c3 = 0, swim elsewhere", {3, 3, 3, 3, 3}, 3, 0, {"1750", "1855"}},
      {"c3 = 1", {3, 3, 4, 3, 3}, 1, 0, {"1760"}},
      {"c3 = 2", {4, 4, 3, 3, 3}, 1, 0, {"1830", "1840", "1841", "1770"}},
      {"c3 = 3", {4, 4, 4, 3, 3}, 1, 0, {"1830", "1840", "1841", "1780"}},
      {"c3 = 4", {4, 4, 4, 4, 3}, 1, 0, {"1830", "1840", "1841", "1790"}},
      {"c4 < 5, a row ahead", {4, 4, 4, 4, 7}, 1, 0, {"1431"}},
      {"c4 = 0, swim at 3", {4, 4, 4, 4, 4}, 3, 0, {"1640", "1800", "1820", "1900"}},
      {"c4 = 0, swim elsewhere", {4, 4, 4, 4, 4}, 2, 0, {"1830", "1800", "none", "none"}},
      {"c4 = 1", {5, 4, 4, 4, 4}, 1, 0, {"1720", "1650"}},
      {"c4 = 2", {5, 5, 4, 4, 4}, 1, 0, {"1720", "1730", "1660"}},
      {"c4 = 3", {5, 5, 5, 4, 4}, 1, 0, {"1720", "1730", "1670"}},
      {"c4 = 4", {5, 5, 5, 5, 4}, 1, 0, {"1720", "1730", "1680"}},
      {"c5 = 0, swim at 4", {5, 5, 5, 5, 5}, 4, 0, {"1690", "1710", "1540", "1740", "1910"}},
      {"c5 = 0, swim elsewhere", {5, 5, 5, 5, 5}, 5, 0, {"1690", "1740"}},
      {"c5 = 1", {6, 5, 5, 5, 5}, 1, 0, {"1620", "1550"}},
      {"c5 = 2", {6, 6, 5, 5, 5}, 1, 0, {"1610", "1620", "1630", "1560"}},
      {"c5 = 3", {6, 6, 6, 5, 5}, 1, 0, {"1610", "1620", "1630", "1570"}},
      {"c5 = 4", {6, 6, 6, 6, 5}, 1, 0, {"1610", "1620", "1630", "1580"}},
  };
  StartRoom();
  for (const Case& c : cases) {
    const int modulus = static_cast<int>(c.lines.size());
    for (int draw = 0; draw < modulus; ++draw) {
      SCOPED_TRACE(std::string(c.rule) + ", draw " + std::to_string(draw));
      // A seed whose first number gives this draw.
      unsigned seed = 1;
      for (;; ++seed) {
        plat::win::srand(seed);
        if (plat::win::rand() % modulus == draw) break;
      }
      ActivePlayerData = PlayerData();
      SetLevels(ActivePlayerData, c.levels);
      Swim(ActivePlayerData).level = c.swimLevel;
      Swim(ActivePlayerData).gameFlag = c.swimSuccess;
      m_sounds.entries.clear();
      plat::win::srand(seed);
      Open();
      const std::string& expected = c.lines[static_cast<size_t>(draw)];
      EXPECT_EQ(Line(), expected);
      if (expected == "none") {
        EXPECT_EQ(Started(), Names{});
        continue;
      }
      // The line is its own caption, and it plays at once.
      EXPECT_EQ(m_dialog->GetNarration()->GetCaptionNumber(), static_cast<uint32_t>(std::stoul(expected)));
      EXPECT_EQ(Started(), Names{expected});
    }
  }
}

TEST_F(ProgressScreen, TheCountersTakeEachRowAtEveryPictureItHasReached) {
  StartRoom();
  SetLevels(ActivePlayerData, {1, 2, 4, 6, 9});
  const ProgressDialog& dialog = Open();
  EXPECT_EQ(dialog.GetCounts(), (std::array<int32_t, 5>{4, 3, 3, 2, 2}));
}
