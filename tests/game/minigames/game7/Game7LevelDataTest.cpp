// The ride's level table on its own: every key of the level data, values missing or beyond the
// count, letter case and hexadecimal, and the release intervals, bar steps and lane draws made from
// levels that keep or break the limits.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "game7/Game7LevelData.h"

namespace {

using Table = Game7Node::LevelTable;
using Settings = Game7Node::LevelSettings;

TEST(Game7LevelKeys, EveryKeyReachesItsFieldsAndOthersAreNotTaken) {
  Table table;
  EXPECT_TRUE(table.SetValue("startpositionx", "210.5"));
  EXPECT_TRUE(table.SetValue("StartPositionY", "330"));
  EXPECT_TRUE(table.SetValue("BRAGOIDLESEQUENCE", "0x10"));
  EXPECT_TRUE(table.SetValue("StartLevel", "4"));
  EXPECT_TRUE(table.SetValue("PossibleYPositions", "(100, 200) 300\t400,500, 600"));
  EXPECT_TRUE(table.SetValue("PossibleVortexPos", "250"));
  EXPECT_TRUE(table.SetValue("ObstaclePointValues", "0 1 2 3 4 5 6 7 8 9 10 11"));
  EXPECT_TRUE(table.SetValue("bragospeed", "100, 110"));
  EXPECT_TRUE(table.SetValue("ObstacleSpeed", "1e2"));
  EXPECT_TRUE(table.SetValue("LevelDuration", "0x3E8"));
  EXPECT_TRUE(table.SetValue("MinReleaseTime", "-5"));
  EXPECT_TRUE(table.SetValue("MaxReleaseTime", "99999999999"));
  EXPECT_FALSE(table.SetValue("room", "game7"));
  EXPECT_FALSE(table.SetValue("numTurtle", "1"));

  EXPECT_FLOAT_EQ(table.m_startX, 210.5f);
  EXPECT_FLOAT_EQ(table.m_startY, 330.0f);
  EXPECT_EQ(table.m_idleSequence, 16);
  EXPECT_EQ(table.m_startLevel, 4);
  EXPECT_EQ(table.m_laneY, (std::array<float, 5>{100, 200, 300, 400, 500}));
  EXPECT_EQ(table.m_vortexY, (std::array<float, 3>{250, 0, 0}));
  EXPECT_EQ(table.m_pointValues, (std::array<int32_t, 11>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  // Two speeds give levels 1 and 2 theirs and the other eighteen 0.
  EXPECT_FLOAT_EQ(table.Level(0).m_turtleSpeed, 100.0f);
  EXPECT_FLOAT_EQ(table.Level(1).m_turtleSpeed, 110.0f);
  for (int32_t i = 2; i < Game7Node::kLevelCount; ++i) EXPECT_EQ(table.Level(i).m_turtleSpeed, 0.0f) << i;
  EXPECT_FLOAT_EQ(table.Level(0).m_obstacleSpeed, 100.0f);
  EXPECT_EQ(table.Level(0).m_levelDuration, 1000);
  EXPECT_EQ(table.Level(0).m_minReleaseTime, -5);
  EXPECT_EQ(table.Level(0).m_maxReleaseTime, INT32_MAX);
}

TEST(Game7LevelKeys, CountKeysFillTheirKindForEveryLevelAndKindSevenHasNone) {
  const std::vector<std::pair<const char*, int>> keys = {
      {"numTurtles", 1},  {"numBabies", 2},  {"numBoots", 3},   {"numTires", 4},    {"numCans", 5},
      {"numGroupers", 6}, {"numGoodie1", 8}, {"numGoodie2", 9}, {"NUMGOODIE3", 10},
  };
  Table table;
  std::string twenty;
  for (int i = 0; i < Game7Node::kLevelCount; ++i) twenty += std::to_string(i + 1) + " ";
  for (const auto& [key, kind] : keys) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(table.SetValue(key, twenty.c_str()));
    for (int32_t level = 0; level < Game7Node::kLevelCount; ++level)
      EXPECT_EQ(table.Level(level).m_counts[static_cast<size_t>(kind)], level + 1);
  }
  for (int32_t level = 0; level < Game7Node::kLevelCount; ++level) {
    EXPECT_EQ(table.Level(level).m_counts[0], 0);
    EXPECT_EQ(table.Level(level).m_counts[7], 0);
  }
}

TEST(Game7LevelKeys, FloatsBeyondAFloatsRangeAreHeldAtItsEnds) {
  Table table;
  ASSERT_TRUE(table.SetValue("BragoSpeed", "1e300 -1e300"));
  EXPECT_GT(table.Level(0).m_turtleSpeed, 3e38f);
  EXPECT_LT(table.Level(1).m_turtleSpeed, -3e38f);
}

Settings Level(int32_t minimum, int32_t maximum, int32_t duration) {
  Settings level;
  level.m_minReleaseTime = minimum;
  level.m_maxReleaseTime = maximum;
  level.m_levelDuration = duration;
  return level;
}

TEST(Game7LevelLimits, ReleaseDelaysStayInTheIntervalAndBrokenOnesGiveTheShortest) {
  struct Case {
    int32_t minimum, maximum, draw;
    uint32_t delay;
    bool keeps;
  };
  const Case cases[] = {
      {1000, 2000, 0, 1000, true},
      {1000, 2000, 32767, 1000 + 32767 % 1000, true},
      {1000, 1001, 32767, 1000, true},
      // An empty or reversed interval: the shortest time, without a division by zero.
      {1500, 1500, 12345, 1500, false},
      {2000, 1000, 12345, 2000, false},
      {0, 0, 5, 0, false},
      // Never below 0, and no overflow of the width.
      {-500, -400, 7, 0, true},
      {-5000, 0, 32767, 0, true},
      {INT32_MIN, INT32_MAX, 32767, 0, true},
      {INT32_MAX - 1, INT32_MAX, 32767, INT32_MAX - 1, true},
      {INT32_MAX, INT32_MIN, 1, INT32_MAX, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.minimum) + ".." + std::to_string(c.maximum) + " draw " +
                 std::to_string(c.draw));
    const Settings level = Level(c.minimum, c.maximum, 6000);
    EXPECT_EQ(level.ReleaseDelay(c.draw), c.delay);
    EXPECT_EQ(level.KeepsLimits(), c.keeps);
  }
}

TEST(Game7LevelLimits, TheBarStepsEverySixthOfTheDurationAndAtLeastEveryMillisecond) {
  struct Case {
    int32_t duration;
    uint32_t step;
    uint32_t clock;
    bool keeps;
  };
  const Case cases[] = {
      {60000, 10000, 60000, true},
      {6, 1, 6, true},
      {7, 1, 7, true},
      {5, 1, 5, false},
      {0, 1, 0, false},
      {-60, 1, 0, false},
      {INT32_MAX, INT32_MAX / 6, INT32_MAX, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.duration);
    const Settings level = Level(100, 200, c.duration);
    EXPECT_EQ(level.BarStep(), c.step);
    EXPECT_EQ(level.Duration(), c.clock);
    EXPECT_EQ(level.KeepsLimits(), c.keeps);
  }
}

TEST(Game7LevelLimits, EachBrokenLevelAndTooFewLaneHeightsAreWarnedOf) {
  Table table;
  for (Settings& level : table.m_levels) level = Level(1000, 2000, 30000);
  table.m_laneY = {100, 200, 300, 400, 500};
  EXPECT_EQ(table.WarnOfBrokenLimits("data"), 0);
  table.m_levels[3] = Level(2000, 2000, 30000);
  table.m_levels[19] = Level(1000, 2000, 5);
  EXPECT_EQ(table.WarnOfBrokenLimits("data"), 2);
  table.m_laneY = {300, 300, 300, 300, 300};
  EXPECT_EQ(table.WarnOfBrokenLimits("data"), 3);
  // No level data at all: every level and the lanes.
  EXPECT_EQ(Table().WarnOfBrokenLimits("data"), Game7Node::kLevelCount + 1);
}

TEST(Game7LaneDraw, ANewLaneDiffersFromThePreviousHeightAndFewHeightsTakeAnyDraw) {
  Table table;
  table.m_laneY = {100, 200, 300, 400, 500};
  std::vector<int32_t> draws = {2, 7, 12, 3};
  size_t next = 0;
  const Table::Draw draw = [&] { return draws[next++ % draws.size()]; };
  // 2, 7 and 12 all fall on lane 2 (300): the draw goes on to 3.
  EXPECT_EQ(table.DrawLane(300.0f, draw), 3);
  EXPECT_EQ(next, 4u);
  next = 0;
  EXPECT_EQ(table.DrawLane(100.0f, draw), 2);

  // Two lanes share a height: the other height is the only way off it.
  table.m_laneY = {300, 300, 300, 300, 200};
  int calls = 0;
  const Table::Draw counting = [&] { return calls++; };
  EXPECT_EQ(table.DrawLane(300.0f, counting), 4);
  // One height for all: the first draw is taken, so the draw ends.
  table.m_laneY = {300, 300, 300, 300, 300};
  calls = 0;
  EXPECT_EQ(table.DrawLane(300.0f, counting), 0);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(table.HasTwoLaneHeights());
}

}  // namespace
