// Fuzz target: arbitrary bytes as the ride's level data, through the text-data reader into its level
// table, then every level's release intervals, bar step and clock, and lane draws from the table.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "framework/IHasLoadableTxtData.h"
#include "framework/TxtDataManager.h"
#include "game7/Game7LevelData.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

class LevelTarget : public IHasLoadableTxtData {
public:
  void SetTxtValue(const char* key, const char* value) override { table.SetValue(key, value); }
  Game7Node::LevelTable table;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) return 0;
  LevelTarget target;
  Require(TxtDataManager::Instance().ParseStream(fuzzinput::StreamOver(data, size), target));
  const Game7Node::LevelTable& table = target.table;
  table.WarnOfBrokenLimits("fuzz");
  for (int32_t index = 0; index < Game7Node::kLevelCount; ++index) {
    const Game7Node::LevelSettings& level = table.Level(index);
    for (const int32_t draw : {0, 1, 4999, 32767}) {
      const uint32_t delay = level.ReleaseDelay(draw);
      if (level.m_maxReleaseTime <= level.m_minReleaseTime)
        Require(delay == static_cast<uint32_t>(level.m_minReleaseTime > 0 ? level.m_minReleaseTime : 0));
    }
    Require(level.BarStep() >= 1);
    level.Duration();
    (void)level.CombinedSpeed();
  }
  // A generator that walks every lane in turn: the draw must end within one round.
  int32_t next = 0;
  int32_t draws = 0;
  const Game7Node::LevelTable::Draw walk = [&] {
    ++draws;
    return next++ % 32768;
  };
  for (int lane = 0; lane < Game7Node::kLaneCount; ++lane) {
    draws = 0;
    const int32_t drawn = table.DrawLane(table.m_laneY[static_cast<size_t>(lane)], walk);
    Require(drawn >= 0 && drawn < Game7Node::kLaneCount);
    Require(draws <= Game7Node::kLaneCount);
  }
  return 0;
}
