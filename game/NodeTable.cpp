// The table of node ids to node classes: the one place that knows every node of the game.
#include "NodeTable.h"

#include "framework/NodeId.h"
#include "frontend/RoomCredits.h"
#include "frontend/SignInScreen.h"
#include "frontend/TitleScreen.h"

GameNode* NodeTable::CreateNode(int32_t id) {
  switch (id) {
    case kNodeTitleScreen:
      return new TitleScreen;
    case kNodeFrontEnd:
    case kNodeSignIn:
      return new SignInScreen;
    case kNodeCreditScreen:
      return new RoomCredits;
    default:
      // The hub, mini-game and demo title nodes are not part of this build yet.
      return nullptr;
  }
}
