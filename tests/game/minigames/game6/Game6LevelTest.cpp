// The swim game's level tables: hoop and item counts and kinds per level, the quoted records, the
// loop panels' twins with no scallop among them, items inside their panel and what the fish must take
// within its reach; speeds and the level-scaled values.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "game6/Game6Items.h"
#include "game6/Game6Node.h"

namespace {

using Item = Game6Node::Game6Item;

std::map<int32_t, int32_t> KindsOf(int32_t level) {
  std::map<int32_t, int32_t> kinds;
  for (int32_t i = 0; i < Game6Node::ItemCountOf(level); ++i) ++kinds[Game6Node::ItemRecordOf(level, i).kind];
  return kinds;
}

TEST(Game6Level, EachLevelHasItsHoopAndItemCountsAndTheUnusedRecordsAreEmpty) {
  const int32_t hoops[] = {4, 5, 5, 6, 6};
  const int32_t items[] = {59, 68, 88, 105, 127};
  const int32_t scallops[] = {8, 8, 8, 7, 8};
  for (int32_t level = 0; level < 5; ++level) {
    SCOPED_TRACE(level);
    EXPECT_EQ(Game6Node::HoopCountOf(level), hoops[level]);
    EXPECT_EQ(Game6Node::ItemCountOf(level), items[level]);
    const auto kinds = KindsOf(level);
    EXPECT_EQ(kinds.count(0) ? kinds.at(0) : 0, scallops[level]);
    const bool kelp = kinds.count(Item::kKelp) > 0;
    bool spouts = false;
    for (int32_t k = Item::kFirstGroundSpout; k <= Item::kLastCeilingSpout; ++k) spouts = spouts || kinds.count(k);
    EXPECT_EQ(kelp, level >= 1);
    EXPECT_EQ(spouts, level >= 2);
    const Game6Node::HoopRecord unusedHoop = Game6Node::HoopRecordOf(level, hoops[level]);
    EXPECT_EQ(unusedHoop.panel + unusedHoop.x + unusedHoop.y + unusedHoop.small, 0);
    const Game6Node::ItemRecord unusedItem = Game6Node::ItemRecordOf(level, items[level]);
    EXPECT_EQ(unusedItem.panel + unusedItem.x + unusedItem.y + unusedItem.kind, 0);
  }
  // Level 1's mix, and levels 2 and 3 share their hoops.
  const auto first = KindsOf(0);
  EXPECT_EQ(first.at(1), 13);
  EXPECT_EQ(first.at(2), 6);
  EXPECT_EQ(first.at(3), 3);
  EXPECT_EQ(first.at(4), 2);
  EXPECT_EQ(first.at(5), 2);
  for (int32_t i = 0; i < 5; ++i) {
    const auto a = Game6Node::HoopRecordOf(1, i);
    const auto b = Game6Node::HoopRecordOf(2, i);
    EXPECT_EQ(a.panel * 1000000 + a.x * 1000 + a.y + a.small, b.panel * 1000000 + b.x * 1000 + b.y + b.small);
  }
  EXPECT_EQ(Game6Node::ItemCountOf(-1), 0);
  EXPECT_EQ(Game6Node::ItemCountOf(5), 0);
}

TEST(Game6Level, LevelOneKeepsItsQuotedFirstAndLastRecords) {
  const std::array<std::array<int32_t, 4>, 9> head = {{{2, 150, 400, 0},
                                                       {5, 550, 400, 0},
                                                       {8, 610, 400, 0},
                                                       {11, 450, 400, 0},
                                                       {1, 150, 150, 1},
                                                       {1, 550, 500, 9},
                                                       {2, 250, 150, 1},
                                                       {2, 580, 500, 7},
                                                       {2, 750, 69, 6}}};
  for (int32_t i = 0; i < 9; ++i) {
    const auto r = Game6Node::ItemRecordOf(0, i);
    EXPECT_EQ((std::array<int32_t, 4>{r.panel, r.x, r.y, r.kind}), head[static_cast<size_t>(i)]) << i;
  }
  const auto last = Game6Node::ItemRecordOf(0, 58);
  const auto beforeLast = Game6Node::ItemRecordOf(0, 57);
  EXPECT_EQ((std::array<int32_t, 4>{beforeLast.panel, beforeLast.x, beforeLast.y, beforeLast.kind}),
            (std::array<int32_t, 4>{13, 150, 150, 1}));
  EXPECT_EQ((std::array<int32_t, 4>{last.panel, last.x, last.y, last.kind}), (std::array<int32_t, 4>{13, 550, 500, 9}));
}

TEST(Game6Level, PanelThirteenRepeatsPanelOneWithoutScallopsAndWhatIsTakenLiesWithinReach) {
  for (int32_t level = 0; level < 5; ++level) {
    SCOPED_TRACE(level);
    std::map<std::string, int32_t> first;
    std::map<std::string, int32_t> last;
    for (int32_t i = 0; i < Game6Node::ItemCountOf(level); ++i) {
      const auto r = Game6Node::ItemRecordOf(level, i);
      SCOPED_TRACE(i);
      EXPECT_GE(r.panel, 0);
      EXPECT_LE(r.panel, 13);
      EXPECT_GE(r.x, 0);
      EXPECT_LT(r.x, 800);
      EXPECT_GE(r.kind, 0);
      EXPECT_LT(r.kind, Item::kKindCount);
      if (r.kind <= Item::kFin) {
        EXPECT_GE(r.y, 28);
        EXPECT_LE(r.y, 435);
      }
      if (r.kind == Item::kScallop) {
        EXPECT_NE(r.panel, 1);
        EXPECT_NE(r.panel, 13);
      }
      const std::string key = std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.kind);
      if (r.panel == 1) ++first[key];
      if (r.panel == 13) ++last[key];
    }
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, last);
  }
}

TEST(Game6Level, SpeedsFollowTheLevelWithAndWithoutAlphaBlending) {
  const float alpha[] = {290, 305, 320, 335, 350};
  const float plain[] = {150, 160, 170, 180, 190};
  for (int32_t level = 0; level < 5; ++level) {
    EXPECT_EQ(Game6Node::ScrollSpeedOf(level, true), alpha[level]);
    EXPECT_EQ(Game6Node::ScrollSpeedOf(level, false), plain[level]);
  }
  EXPECT_EQ(Game6Node::ScrollSpeedOf(9, true), 290.0f);
}

}  // namespace
