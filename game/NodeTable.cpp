// The table of node ids to node classes: the one place that knows every node of the game.
#include "NodeTable.h"

#include "framework/NodeId.h"
#include "frontend/TitleScreen.h"
#include "game5/Game5Node.h"

GameNode* NodeTable::CreateNode(int32_t id) {
  switch (id) {
    case kNodeTitleScreen:
      return new TitleScreen;
    case kNodeGame5:
      return new Game5Node;
    default:
      // The sign-in, hub, mini-game, demo title and credits nodes are not part of this build yet.
      return nullptr;
  }
}
