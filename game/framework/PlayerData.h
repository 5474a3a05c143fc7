// The player's progress record: one entry per node id, and what the hub and the gallery keep.
#pragma once

#include <cstdint>

#include "framework/GameProgress.h"

// A plain value: copies and assignments take every field.
class PlayerData {
public:
  // One entry per node id 0..22; the hub (6) and the mini-games (9..15) use theirs.
  static constexpr uint32_t kGameCount = 23;
  static constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

  // The ids that make up the overall level.
  static constexpr uint32_t kOverallLevelGames[] = {10, 11, 13, 14, 15};

  constexpr PlayerData() = default;

  // Makes this record a copy of other; on a CurrentPlayer only its PlayerData part changes.
  void AssignByValue(PlayerData other) { *this = other; }

  // Each stores one field of the entry of that id; an id of kGameCount or more changes nothing and
  // is named on the trace.
  void SetPlayersLevel(uint32_t gameId, int32_t level);
  void SetPlayersFirstTime(uint32_t gameId, uint8_t value);
  void SetPlayersHighScore(uint32_t gameId, uint32_t score);

  // The lowest level of the games in kOverallLevelGames, at most 6, less 2: -1 for a new record, 4
  // when all are done.
  int32_t GetOverallLevel() const;

  uint8_t signedIn = 0;
  GameProgress games[kGameCount];
  uint32_t hubCounter = 0;  // the hub keeps it in 0..3999
  uint8_t newResult = 0;
  uint32_t saveSlot = kNoSlot;
  uint8_t galleryFlag = 0;
};
