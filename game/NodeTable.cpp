// The table of node ids to node classes: the one place that knows every node of the game.
#include "NodeTable.h"

#include "framework/NodeId.h"
#include "frontend/SignInScreen.h"
#include "frontend/TitleScreen.h"
#include "game7/Game7Node.h"

GameNode* NodeTable::CreateNode(int32_t id) {
  switch (id) {
    case kNodeTitleScreen:
      return new TitleScreen;
    case kNodeFrontEnd:
    case kNodeSignIn:
      return new SignInScreen;
    case kNodeGame7:
      return new Game7Node;
    default:
      // The hub, the other mini-games, demo title and credits nodes are not part of this build yet.
      return nullptr;
  }
}
