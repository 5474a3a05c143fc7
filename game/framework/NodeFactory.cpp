// The node factory: builds the node of a node id.
#include "framework/NodeFactory.h"

#include "framework/NodeId.h"

GameNode* NodeFactory::CreateNode(int32_t id) {
  switch (id) {
    case kNodeNone:
    case kNodeNoGame:
      return nullptr;
    default:
      // The title screen, sign-in, hub, mini-game, demo title and credits nodes are not part of
      // this build, so their ids are as invalid as every other.
      throw "Invalid node ID in NodeFactory::CreateNode()";
  }
}
