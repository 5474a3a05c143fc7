// The table of node ids to node classes: the one place that knows every node of the game.
#include "NodeTable.h"

GameNode* NodeTable::CreateNode(int32_t id) {
  switch (id) {
    default:
      // The title, sign-in, hub, mini-game, demo title and credits nodes are not part of this build
      // yet.
      return nullptr;
  }
}
