// The ride's level table: the per-level settings, the lane and vortex heights and the points per
// kind, read from the text data's keys, and the timer intervals and lane draws made from them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "game7/Game7Node.h"

// One level's settings; counts are indexed by obstacle kind (kind 7 and kind 0 have no key).
class Game7Node::LevelSettings {
public:
  float m_turtleSpeed = 0.0f;
  std::array<int32_t, kKindCount> m_counts{};
  float m_obstacleSpeed = 0.0f;
  int32_t m_levelDuration = 0;
  int32_t m_minReleaseTime = 0;
  int32_t m_maxReleaseTime = 0;

  // Turtle speed plus obstacle speed.
  float CombinedSpeed() const { return m_turtleSpeed + m_obstacleSpeed; }
  // Whether the level keeps the limits the timers rely on: an interval wider than zero and a
  // duration the bar can take six steps of.
  bool KeepsLimits() const;
  // The next release delay from one draw of the generator: the shortest interval plus the draw
  // taken modulo the interval's width; an empty or reversed interval gives the shortest one. Never
  // below 0, and computed wide enough that no data overflows it.
  uint32_t ReleaseDelay(int32_t draw) const;
  // The bar's step: a sixth of the duration, at least 1 ms.
  uint32_t BarStep() const;
  // The level duration as a clock delay; a negative one counts as 0.
  uint32_t Duration() const;
};

// Everything the level data sets. The node reads it through SetTxtValue once the table exists.
class Game7Node::LevelTable {
public:
  // The generator's draws, 0 to 32767.
  using Draw = std::function<int32_t()>;

  // True when the key is one of the level data's (without regard to case); values missing from the
  // line read as 0, extra ones are ignored.
  bool SetValue(const char* key, const char* value);
  // Writes a "WARN:" line for each level that breaks a limit and for lane heights of which fewer
  // than two differ; answers how many warnings were written.
  int WarnOfBrokenLimits(const char* dataName) const;
  // A lane index 0 to 4 whose height differs from the previous lane's height, drawn until one
  // does; when fewer than two lane heights differ any draw is taken, so the draw ends.
  int32_t DrawLane(float previousLaneY, const Draw& draw) const;
  // Whether at least two lane heights differ.
  bool HasTwoLaneHeights() const;

  const LevelSettings& Level(int32_t index) const;

  float m_startX = 0.0f;
  float m_startY = 0.0f;
  int32_t m_idleSequence = 0;
  int32_t m_startLevel = 0;
  std::array<float, kLaneCount> m_laneY{};
  std::array<float, kVortexHeightCount> m_vortexY{};
  std::array<int32_t, kKindCount> m_pointValues{};
  std::array<LevelSettings, kLevelCount> m_levels{};
};
