// The node factory: builds the node of a node id.
#pragma once

#include <cstdint>

class GameNode;

class NodeFactory {
public:
  // A new node, owned by the caller; null for the ids without a node (none, nogame). Any other id
  // without a node class throws "Invalid node ID in NodeFactory::CreateNode()".
  static GameNode* CreateNode(int32_t id);
};
