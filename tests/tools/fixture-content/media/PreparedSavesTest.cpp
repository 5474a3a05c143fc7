// The prepared saves through the game's own slot loader: each whole one holds the player it promises,
// and the damaged ones are what they claim to be.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

#include "fixture-content/media/PreparedSaves.h"
#include "framework/CurrentPlayer.h"
#include "framework/SaveGameManager.h"
#include "support/TempDir.h"

namespace {

constexpr uint32_t kLevelGames[] = {10, 11, 13, 14, 15};

std::map<std::string, std::string> SavesByFile() {
  std::map<std::string, std::string> saves;
  for (const fixture::PreparedSave& save : fixture::PreparedSaves()) {
    EXPECT_FALSE(save.m_description.empty()) << save.m_file;
    EXPECT_TRUE(saves.emplace(save.m_file, save.m_bytes).second) << save.m_file << " twice";
  }
  return saves;
}

// Loads the bytes as slot 0 in the working folder, as the sign-in screen would.
bool Load(const std::string& bytes) {
  test::WriteFile("SaveGame0.sav", bytes);
  CurrentPlayer::Instance().Reset();
  return SaveGameManager::Instance().LoadSlot(0);
}

// The prepared save of that name, loaded.
testing::AssertionResult Loads(const std::map<std::string, std::string>& saves, const std::string& file) {
  const auto save = saves.find(file);
  if (save == saves.end()) return testing::AssertionFailure() << "no " << file;
  if (!Load(save->second)) return testing::AssertionFailure() << "the loader refuses " << file;
  return testing::AssertionSuccess();
}

// A game's entry as a visit leaves it: at the level, to resume at resume, and owning the prizes
// marked '1' of the first five levels.
void ExpectVisited(const GameProgress& game, int32_t level, uint32_t resume, const std::string& prizes) {
  EXPECT_EQ(game.firstTime, 0);
  EXPECT_EQ(game.level, level);
  EXPECT_EQ(game.gameValue, resume);
  for (size_t i = 0; i < prizes.size(); ++i)
    EXPECT_EQ(game.levelFlags[i], prizes[i] - '0') << "prize " << i + 1;
}

// A prepared save of one visited game: its file, and the entry as ExpectVisited checks it.
struct VisitCase {
  const char* file;
  int32_t level;
  uint32_t value;
  const char* prizes;
};

void ExpectEachVisited(const std::map<std::string, std::string>& saves, const GameProgress& game,
                       std::initializer_list<VisitCase> cases) {
  for (const VisitCase& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(Loads(saves, c.file));
    ExpectVisited(game, c.level, c.value, c.prizes);
  }
}

}  // namespace

TEST(PreparedSaves, EachWholeSaveHoldsThePlayerItPromises) {
  const std::map<std::string, std::string> saves = SavesByFile();
  const CurrentPlayer& player = CurrentPlayer::Instance();
  for (const char* file : {"fresh.sav", "level2.sav", "highscore.sav", "lastlevel.sav", "slot9.sav"}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(Loads(saves, file));
    ASSERT_EQ(saves.at(file).size(), CurrentPlayer::kFileSize);
    // Every one is a player who has signed in, not a record no one has taken.
    EXPECT_EQ(player.signedIn, 1);
    EXPECT_EQ(player.freshProfile, 0);
    EXPECT_EQ(player.captionsOn, 1);
  }

  ASSERT_TRUE(Loads(saves, "fresh.sav"));
  EXPECT_EQ(player.saveSlot, 0u);
  EXPECT_EQ(player.GetOverallLevel(), -1);
  for (const GameProgress& game : player.games) {
    EXPECT_EQ(game.firstTime, 1);
    EXPECT_EQ(game.level, 1);
  }
  EXPECT_EQ(player.newResult, 0);

  ASSERT_TRUE(Loads(saves, "level2.sav"));
  for (const uint32_t id : kLevelGames) {
    EXPECT_EQ(player.games[id].level, 2) << id;
    EXPECT_EQ(player.games[id].firstTime, 0) << id;
  }
  EXPECT_EQ(player.games[9].firstTime, 0) << "the music game was visited";
  EXPECT_EQ(player.games[12].firstTime, 1);
  EXPECT_EQ(player.GetOverallLevel(), 0);
  EXPECT_EQ(player.newResult, 0);

  ASSERT_TRUE(Loads(saves, "highscore.sav"));
  EXPECT_EQ(player.newResult, 1);
  const uint32_t scores[] = {1200, 850, 640, 300, 975};
  for (size_t i = 0; i < std::size(kLevelGames); ++i) {
    const GameProgress& game = player.games[kLevelGames[i]];
    EXPECT_EQ(game.highScore, scores[i]) << kLevelGames[i];
    EXPECT_EQ(game.levelFlags[0], 1);
    EXPECT_EQ(game.levelFlags[1], 1);
    EXPECT_EQ(game.levelFlags[2], 0);
  }

  ASSERT_TRUE(Loads(saves, "lastlevel.sav"));
  EXPECT_EQ(player.GetOverallLevel(), 4);
  for (const uint32_t id : kLevelGames) {
    EXPECT_EQ(player.games[id].level, 20) << id;
    for (const uint8_t flag : player.games[id].levelFlags) EXPECT_EQ(flag, 1) << id;
  }
  EXPECT_EQ(player.games[9].firstTime, 0);
  EXPECT_EQ(player.games[12].level, 5);
  for (const uint8_t flag : player.games[12].levelFlags) EXPECT_EQ(flag, 1);

  ASSERT_TRUE(Loads(saves, "slot9.sav"));
  EXPECT_EQ(player.saveSlot, 9u);
}

TEST(PreparedSaves, TheMemoryGamesSavesResumeWhereTheySay) {
  const std::map<std::string, std::string> saves = SavesByFile();
  const GameProgress& game = CurrentPlayer::Instance().games[15];
  struct Case {
    const char* file;
    int32_t level;
    uint32_t resume;
    const char* prizes;
    uint32_t highScore = 0;
  };
  for (const Case& c :
       {Case{"game9-level20.sav", 20, 13, "00000"}, Case{"game9-prize1.sav", 2, 1, "10000"},
        Case{"game9-resume0.sav", 20, 0, "00000"}, Case{"game9-resume99.sav", 20, 99, "00000"},
        Case{"game9-hub.sav", 2, 2, "01000", 85}}) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(Loads(saves, c.file));
    ExpectVisited(game, c.level, c.resume, c.prizes);
    EXPECT_EQ(game.highScore, c.highScore);
  }
  // The end-to-end walk finds the game's button in view and no hub introduction in the way.
  ASSERT_TRUE(Loads(saves, "game9-hub.sav"));
  EXPECT_EQ(CurrentPlayer::Instance().hubCounter, 1400u);
  EXPECT_EQ(CurrentPlayer::Instance().games[6].firstTime, 0);
}

TEST(PreparedSaves, TheShellGamesSavesHoldTheirLevelPrizesAndResume) {
  const std::map<std::string, std::string> saves = SavesByFile();
  const GameProgress& game = CurrentPlayer::Instance().games[14];
  // The value is the level to resume at.
  ExpectEachVisited(saves, game,
                    {{"game8-level5.sav", 5, 5, "11110"},
                     {"game8-resume0.sav", 3, 0, "00000"},
                     {"game8-resume99.sav", 3, 99, "00000"}});
}

TEST(PreparedSaves, TheSwimGamesSavesHoldItsHighestLevelWonBesideTheOverallLevel) {
  const std::map<std::string, std::string> saves = SavesByFile();
  const CurrentPlayer& player = CurrentPlayer::Instance();
  const GameProgress& game = player.games[12];
  ASSERT_TRUE(Loads(saves, "game6-won4.sav"));
  EXPECT_EQ(player.GetOverallLevel(), 4);
  ExpectVisited(game, 5, 1, "11110");
  EXPECT_EQ(game.gameValue2, 4u);
  EXPECT_EQ(game.gameFlag, 0) << "the final level is not yet won";
  ASSERT_TRUE(Loads(saves, "game6-won-minus7.sav"));
  EXPECT_EQ(game.firstTime, 0);
  EXPECT_EQ(static_cast<int32_t>(game.gameValue2), -7);
}

TEST(PreparedSaves, TheShapeGamesSavesHoldTheirLevelPrizesAndLastLevelPlayed) {
  const std::map<std::string, std::string> saves = SavesByFile();
  // The value is the last level played.
  ExpectEachVisited(saves, CurrentPlayer::Instance().games[10],
                    {{"game4-level5.sav", 5, 5, "11110"},
                     {"game4-level12.sav", 12, 12, "00000"},
                     {"game4-last0.sav", 3, 0, "00000"},
                     {"game4-last99.sav", 3, 99, "00000"}});
}

// The ways into a game end to end: the hub seen and its view at the game's button, the game new.
TEST(PreparedSaves, EachHubSaveLooksAtItsGamesButtonBeforeItsFirstVisit) {
  const std::map<std::string, std::string> saves = SavesByFile();
  const CurrentPlayer& player = CurrentPlayer::Instance();
  struct Case {
    const char* file;
    uint32_t hubView;
    uint32_t game;
  };
  for (const Case& c : {Case{"game4-hub.sav", 2500, 10}, Case{"game5-new.sav", 2000, 11},
                        Case{"game7-hub.sav", 0, 13}, Case{"game8-hub.sav", 1400, 14}}) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(Loads(saves, c.file));
    EXPECT_EQ(player.saveSlot, 0u);
    EXPECT_EQ(player.hubCounter, c.hubView);
    EXPECT_EQ(player.games[6].firstTime, 0) << "the hub was visited";
    const GameProgress& game = player.games[c.game];
    EXPECT_EQ(game.firstTime, 1);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.gameValue, 1u);
    EXPECT_EQ(game.highScore, 0u);
    for (const uint8_t flag : game.levelFlags) EXPECT_EQ(flag, 0);
  }
}

TEST(PreparedSaves, TheDamagedOnesAreCutShortOrNoRecord) {
  const std::map<std::string, std::string> saves = SavesByFile();
  ASSERT_TRUE(saves.count("short.sav"));
  EXPECT_EQ(saves.at("short.sav").size(), 11u);
  EXPECT_EQ(saves.at("short.sav"), saves.at("fresh.sav").substr(0, 11));
  EXPECT_FALSE(Load(saves.at("short.sav")));

  ASSERT_TRUE(saves.count("garbage.sav"));
  const std::string& garbage = saves.at("garbage.sav");
  EXPECT_EQ(garbage.size(), CurrentPlayer::kFileSize);
  // Not a record the writer would make: its slot number and levels are far out of range.
  ASSERT_TRUE(Load(garbage));
  EXPECT_GE(CurrentPlayer::Instance().saveSlot, SaveGameManager::kSlotCount);
  // The same bytes on every run.
  EXPECT_EQ(fixture::PreparedSaves(), fixture::PreparedSaves());
}

TEST(PreparedSaves, TheMusicGamesSavesStandAtItsButtonBeforeAndAfterTheFirstVisit) {
  const std::map<std::string, std::string> saves = SavesByFile();
  const CurrentPlayer& player = CurrentPlayer::Instance();
  for (const auto& [file, firstTime] : {std::pair{"game3-first.sav", 1}, std::pair{"game3-second.sav", 0}}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(Loads(saves, file));
    EXPECT_EQ(player.saveSlot, 0u);
    EXPECT_EQ(player.hubCounter, 700u);
    EXPECT_EQ(player.games[6].firstTime, 0) << "the hub was visited";
    EXPECT_EQ(player.games[9].firstTime, firstTime);
  }
}
