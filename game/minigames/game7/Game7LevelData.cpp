// The ride's level table: the keys of the level data, the limits its timers need and the lane draw.
#include "game7/Game7LevelData.h"

#include <algorithm>
#include <cfloat>
#include <cstddef>

#include "core/Trace.h"
#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

// The tokenizer's doubles are finite but may lie beyond a float's range.
float NextFloat(ValueTokenizer& tokens) {
  return static_cast<float>(
      std::clamp(tokens.NextFloat(), -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

template <size_t N>
void ReadFloats(const char* value, std::array<float, N>& out) {
  ValueTokenizer tokens(value);
  for (float& entry : out) entry = NextFloat(tokens);
}

template <size_t N>
void ReadInts(const char* value, std::array<int32_t, N>& out) {
  ValueTokenizer tokens(value);
  for (int32_t& entry : out) entry = tokens.NextInt();
}

using Levels = std::array<Game7Node::LevelSettings, Game7Node::kLevelCount>;

template <typename Field>
void ReadLevelFloats(const char* value, Levels& levels, Field field) {
  ValueTokenizer tokens(value);
  for (Game7Node::LevelSettings& level : levels) level.*field = NextFloat(tokens);
}

template <typename Field>
void ReadLevelInts(const char* value, Levels& levels, Field field) {
  ValueTokenizer tokens(value);
  for (Game7Node::LevelSettings& level : levels) level.*field = tokens.NextInt();
}

void ReadLevelCounts(const char* value, Levels& levels, int32_t kind) {
  ValueTokenizer tokens(value);
  for (Game7Node::LevelSettings& level : levels) level.m_counts[static_cast<size_t>(kind)] = tokens.NextInt();
}

// The count keys by obstacle kind; kind 7 has none.
struct CountKey {
  const char* key;
  int32_t kind;
};
constexpr CountKey kCountKeys[] = {
    {"numTurtles", 1},  {"numBabies", 2},  {"numBoots", 3},   {"numTires", 4},    {"numCans", 5},
    {"numGroupers", 6}, {"numGoodie1", 8}, {"numGoodie2", 9}, {"numGoodie3", 10},
};

bool Is(const char* key, const char* name) {
  return plat::EqualsIgnoringCase(key, name);
}

}  // namespace

bool Game7Node::LevelSettings::KeepsLimits() const {
  return m_maxReleaseTime > m_minReleaseTime && m_levelDuration >= 6;
}

uint32_t Game7Node::LevelSettings::ReleaseDelay(int32_t draw) const {
  const int64_t shortest = m_minReleaseTime;
  const int64_t width = int64_t{m_maxReleaseTime} - shortest;
  int64_t delay = shortest;
  if (width > 0) delay += std::max<int64_t>(draw, 0) % width;
  return static_cast<uint32_t>(std::clamp<int64_t>(delay, 0, UINT32_MAX));
}

uint32_t Game7Node::LevelSettings::BarStep() const {
  return std::max<uint32_t>(Duration() / 6, 1);
}

uint32_t Game7Node::LevelSettings::Duration() const {
  return static_cast<uint32_t>(std::max(m_levelDuration, 0));
}

bool Game7Node::LevelTable::SetValue(const char* key, const char* value) {
  if (!key || !value) return false;
  if (Is(key, "StartPositionX")) {
    ValueTokenizer tokens(value);
    m_startX = NextFloat(tokens);
  } else if (Is(key, "StartPositionY")) {
    ValueTokenizer tokens(value);
    m_startY = NextFloat(tokens);
  } else if (Is(key, "BragoIdleSequence")) {
    ValueTokenizer tokens(value);
    m_idleSequence = tokens.NextInt();
  } else if (Is(key, "StartLevel")) {
    ValueTokenizer tokens(value);
    m_startLevel = tokens.NextInt();
  } else if (Is(key, "PossibleYPositions")) {
    ReadFloats(value, m_laneY);
  } else if (Is(key, "PossibleVortexPos")) {
    ReadFloats(value, m_vortexY);
  } else if (Is(key, "ObstaclePointValues")) {
    ReadInts(value, m_pointValues);
  } else if (Is(key, "BragoSpeed")) {
    ReadLevelFloats(value, m_levels, &LevelSettings::m_turtleSpeed);
  } else if (Is(key, "ObstacleSpeed")) {
    ReadLevelFloats(value, m_levels, &LevelSettings::m_obstacleSpeed);
  } else if (Is(key, "LevelDuration")) {
    ReadLevelInts(value, m_levels, &LevelSettings::m_levelDuration);
  } else if (Is(key, "MinReleaseTime")) {
    ReadLevelInts(value, m_levels, &LevelSettings::m_minReleaseTime);
  } else if (Is(key, "MaxReleaseTime")) {
    ReadLevelInts(value, m_levels, &LevelSettings::m_maxReleaseTime);
  } else {
    for (const CountKey& count : kCountKeys) {
      if (!Is(key, count.key)) continue;
      ReadLevelCounts(value, m_levels, count.kind);
      return true;
    }
    return false;
  }
  return true;
}

int Game7Node::LevelTable::WarnOfBrokenLimits(const char* dataName) const {
  int warnings = 0;
  for (int32_t index = 0; index < kLevelCount; ++index) {
    const LevelSettings& level = m_levels[static_cast<size_t>(index)];
    if (level.KeepsLimits()) continue;
    Qel::Trace(
        "WARN: %s: level %d needs MaxReleaseTime (%d) above MinReleaseTime (%d) and LevelDuration (%d) "
        "of at least 6\n",
        dataName, index + 1, level.m_maxReleaseTime, level.m_minReleaseTime, level.m_levelDuration);
    ++warnings;
  }
  if (!HasTwoLaneHeights()) {
    Qel::Trace("WARN: %s: PossibleYPositions needs at least two different heights\n", dataName);
    ++warnings;
  }
  return warnings;
}

bool Game7Node::LevelTable::HasTwoLaneHeights() const {
  return std::any_of(m_laneY.begin(), m_laneY.end(), [this](float y) { return y != m_laneY[0]; });
}

int32_t Game7Node::LevelTable::DrawLane(float previousLaneY, const Draw& draw) const {
  if (!HasTwoLaneHeights()) return draw() % kLaneCount;
  for (;;) {
    const int32_t lane = draw() % kLaneCount;
    if (m_laneY[static_cast<size_t>(lane)] != previousLaneY) return lane;
  }
}

const Game7Node::LevelSettings& Game7Node::LevelTable::Level(int32_t index) const {
  return m_levels[static_cast<size_t>(std::clamp(index, 0, kLevelCount - 1))];
}
