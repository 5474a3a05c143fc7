// The player's progress record.
#include "framework/PlayerData.h"

#include <algorithm>

#include "core/Trace.h"

namespace {

// The line of the refusing setter's source is named with the setter, as its trace line always has.
bool IsGameId(uint32_t gameId, const char* setter, unsigned line) {
  if (gameId < PlayerData::kGameCount) return true;
  Qel::Trace("%s(%u):GameID (%d) was outside array bounds in %s().\n", __FILE_NAME__, line,
             static_cast<int>(gameId), setter);
  return false;
}

}  // namespace

void PlayerData::SetPlayersLevel(uint32_t gameId, int32_t level) {
  if (IsGameId(gameId, "SetPlayersLevel", __LINE__)) games[gameId].level = level;
}

void PlayerData::SetPlayersFirstTime(uint32_t gameId, uint8_t value) {
  if (IsGameId(gameId, "SetPlayersFirstTime", __LINE__)) games[gameId].firstTime = value;
}

void PlayerData::SetPlayersHighScore(uint32_t gameId, uint32_t score) {
  if (IsGameId(gameId, "SetPlayersHighScore", __LINE__)) games[gameId].highScore = score;
}

int32_t PlayerData::GetOverallLevel() const {
  int32_t lowest = 6;
  for (const uint32_t id : kOverallLevelGames) lowest = std::min(lowest, games[id].level);
  return lowest - 2;
}
