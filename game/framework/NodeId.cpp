// Node ids: the screens, rooms and mini-games of the game, and their names in text data.
#include "framework/NodeId.h"

#include "platform/win/kernel/AsciiCase.h"

namespace {

struct NodeName {
  const char* name;
  int32_t id;
};

// Searched in this order; 23 and 22 stand out of numeric order.
constexpr NodeName kNodeNames[] = {
    {"none", kNodeNone},
    {"begin", kNodeBegin},
    {"nogame", kNodeNoGame},
    {"titlescreen", kNodeTitleScreen},
    {"frontend", kNodeFrontEnd},
    {"signin", kNodeSignIn},
    {"hub", kNodeHub},
    {"game1", kNodeGame1},
    {"game2", kNodeGame2},
    {"game3", kNodeGame3},
    {"game4", kNodeGame4},
    {"game5", kNodeGame5},
    {"game6", kNodeGame6},
    {"game7", kNodeGame7},
    {"game8", kNodeGame8},
    {"game9", kNodeGame9},
    {"game10", kNodeGame10},
    {"SharkTitlescreen", kNodeSharkTitleScreen},
    {"UpsellTitleScreen", kNodeUpsellTitleScreen},
    {"tribaltitlescreen", kNodeTribalTitleScreen},
    {"gamewon", kNodeGameWon},
    {"progressscreen", kNodeProgressScreen},
    {"quitgame", kNodeQuitGame},
    {"creditscreen", kNodeCreditScreen},
};

}  // namespace

int32_t NodeStringToID(const char* name) {
  if (!name) return kNodeNone;
  for (const NodeName& entry : kNodeNames) {
    if (plat::EqualsIgnoringCase(entry.name, name)) return entry.id;
  }
  return kNodeNone;
}
