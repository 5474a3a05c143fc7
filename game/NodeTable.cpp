// The table of node ids to node classes: the one place that knows every node of the game.
#include "NodeTable.h"

#include "framework/NodeId.h"
#include "frontend/HubNode.h"
#include "frontend/RoomCredits.h"
#include "frontend/SharkTitleScreen.h"
#include "frontend/SignInScreen.h"
#include "frontend/TitleScreen.h"
#include "frontend/TribalTitleScreen.h"
#include "frontend/UpsellTitleScreen.h"
#include "game3/Game3Node.h"
#include "game4/Game4Node.h"
#include "game5/Game5Node.h"
#include "game6/Game6Node.h"
#include "game7/Game7Node.h"
#include "game8/Game8Node.h"
#include "game9/Game9Node.h"

GameNode* NodeTable::CreateNode(int32_t id) {
  switch (id) {
    case kNodeTitleScreen:
      return new TitleScreen;
    case kNodeFrontEnd:
    case kNodeSignIn:
      return new SignInScreen;
    case kNodeHub:
      return new HubNode;
    case kNodeGame3:
      return new Game3Node;
    case kNodeGame4:
      return new Game4Node;
    case kNodeGame5:
      return new Game5Node;
    case kNodeGame6:
      return new Game6Node;
    case kNodeGame7:
      return new Game7Node;
    case kNodeGame8:
      return new Game8Node;
    case kNodeGame9:
      return new Game9Node;
    case kNodeSharkTitleScreen:
      return new SharkTitleScreen;
    case kNodeTribalTitleScreen:
      return new TribalTitleScreen;
    case kNodeCreditScreen:
      return new RoomCredits;
    case kNodeUpsellTitleScreen:
      return new UpsellTitleScreen;
    default:
      // The remaining mini-games are not part of this build yet.
      return nullptr;
  }
}
