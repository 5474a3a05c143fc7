// One game's entry in the player's progress record: first visit, level, high score and the game's
// own values.
#pragma once

#include <cstdint>

// The meanings of gameFlag, gameValue, gameValue2 and levelFlags belong to each game; the record only
// keeps them.
struct GameProgress {
  static constexpr int kLevelFlagCount = 5;

  uint8_t firstTime = 1;
  int32_t level = 1;  // 1..6; 6 when the last level is done
  uint8_t gameFlag = 0;
  uint32_t highScore = 0;
  uint32_t gameValue = 1;
  uint8_t levelFlags[kLevelFlagCount] = {};  // element 0 belongs to level 1
  uint32_t gameValue2 = 0;
};
