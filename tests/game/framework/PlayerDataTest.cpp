// The progress record: fresh values, the per-game setters and their refusals, the overall level,
// and copies into the saved record.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ActivePlayerData.h"
#include "framework/CurrentPlayer.h"
#include "framework/PlayerData.h"

namespace {

// Every field in declaration order, for comparing whole records.
std::vector<int64_t> Fields(const PlayerData& record) {
  std::vector<int64_t> fields{record.signedIn};
  for (const GameProgress& game : record.games) {
    fields.insert(fields.end(), {game.firstTime, game.level, game.gameFlag, game.highScore, game.gameValue});
    fields.insert(fields.end(), std::begin(game.levelFlags), std::end(game.levelFlags));
    fields.push_back(game.gameValue2);
  }
  fields.insert(fields.end(), {record.hubCounter, record.newResult, record.saveSlot, record.galleryFlag});
  return fields;
}

std::vector<int64_t> FreshFields() {
  std::vector<int64_t> fields{0};
  for (uint32_t i = 0; i < PlayerData::kGameCount; ++i) {
    fields.insert(fields.end(), {1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0});
  }
  fields.insert(fields.end(), {0, 0, 0xFFFFFFFF, 0});
  return fields;
}

// Every field changed from its fresh value.
void Scribble(PlayerData& record) {
  record.signedIn = 1;
  for (GameProgress& game : record.games) {
    game = {0, 4, 1, 900, 3, {1, 1, 0, 1, 1}, 2};
  }
  record.hubCounter = 1234;
  record.newResult = 1;
  record.saveSlot = 2;
  record.galleryFlag = 1;
}

}  // namespace

TEST(PlayerData, AFreshRecordHoldsTheStartingValues) {
  EXPECT_EQ(Fields(PlayerData()), FreshFields());
  EXPECT_EQ(Fields(ActivePlayerData), FreshFields());
  EXPECT_EQ(Fields(CurrentPlayer::Instance()), FreshFields());
  EXPECT_EQ(CurrentPlayer::Instance().captionsOn, 1);
  EXPECT_EQ(CurrentPlayer::Instance().freshProfile, 1);
}

TEST(PlayerData, TheSettersStoreIntoTheirEntryAndRefuseOtherIds) {
  PlayerData record;
  record.SetPlayersLevel(0, 3);
  record.SetPlayersFirstTime(9, 0);
  record.SetPlayersHighScore(22, 4500);
  PlayerData expected;
  expected.games[0].level = 3;
  expected.games[9].firstTime = 0;
  expected.games[22].highScore = 4500;
  EXPECT_EQ(Fields(record), Fields(expected));

  for (const uint32_t id : {23u, 24u, 1000u, 0x80000000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(id);
    record.SetPlayersLevel(id, 6);
    record.SetPlayersFirstTime(id, 0);
    record.SetPlayersHighScore(id, 1);
    EXPECT_EQ(Fields(record), Fields(expected));
  }
}

TEST(PlayerData, TheOverallLevelIsTheLowestOfFiveGamesLessTwo) {
  const struct {
    std::vector<int32_t> levels;  // games 10, 11, 13, 14 and 15
    int32_t overall;
  } cases[] = {
      {{1, 1, 1, 1, 1}, -1}, {{6, 6, 6, 6, 3}, 1}, {{6, 6, 6, 6, 6}, 4},   {{6, 0, 6, 6, 6}, -2},
      {{9, 9, 9, 9, 9}, 4},  {{5, 4, 3, 6, 6}, 1}, {{6, 6, -7, 6, 6}, -9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.levels));
    PlayerData record;
    for (size_t i = 0; i < c.levels.size(); ++i)
      record.SetPlayersLevel(PlayerData::kOverallLevelGames[i], c.levels[i]);
    // The other games are not part of it.
    record.SetPlayersLevel(9, -50);
    record.SetPlayersLevel(12, -50);
    EXPECT_EQ(record.GetOverallLevel(), c.overall);
  }
  EXPECT_EQ(PlayerData().GetOverallLevel(), -1);
}

TEST(PlayerData, AssigningIntoTheSavedRecordKeepsItsOwnFlags) {
  CurrentPlayer& saved = CurrentPlayer::Instance();
  saved.captionsOn = 0;
  saved.freshProfile = 0;
  Scribble(ActivePlayerData);
  saved.AssignByValue(ActivePlayerData);
  EXPECT_EQ(Fields(saved), Fields(ActivePlayerData));
  EXPECT_EQ(saved.captionsOn, 0);
  EXPECT_EQ(saved.freshProfile, 0);

  // A new profile inherits nothing of the one before, high scores and second values included.
  saved.Reset();
  EXPECT_EQ(Fields(saved), FreshFields());
  EXPECT_EQ(saved.captionsOn, 1);
  EXPECT_EQ(saved.freshProfile, 1);
}
