// Node ids: the screens, rooms and mini-games of the game, and their names in text data.
#pragma once

#include <cstdint>

enum NodeId : int32_t {
  kNodeNone = 0,
  kNodeBegin = 1,
  kNodeNoGame = 2,
  kNodeTitleScreen = 3,
  kNodeFrontEnd = 4,
  kNodeSignIn = 5,
  kNodeHub = 6,
  kNodeGame1 = 7,
  kNodeGame2 = 8,
  kNodeGame3 = 9,
  kNodeGame4 = 10,
  kNodeGame5 = 11,
  kNodeGame6 = 12,
  kNodeGame7 = 13,
  kNodeGame8 = 14,
  kNodeGame9 = 15,
  kNodeGame10 = 16,
  kNodeSharkTitleScreen = 17,
  kNodeTribalTitleScreen = 18,
  kNodeGameWon = 19,
  kNodeProgressScreen = 20,
  kNodeCreditScreen = 21,
  kNodeQuitGame = 22,
  kNodeUpsellTitleScreen = 23,
};

// The id of the first name-table entry equal to name without regard to case; kNodeNone for an
// unknown or null name.
int32_t NodeStringToID(const char* name);
