// The node factory: builds the node of a node id.
#pragma once

#include <cstdint>

class GameNode;

// The framework knows no node class of the game: the table that maps ids to classes sits above it and
// is handed over by the program's entry before the first node is requested.
class NodeFactory {
public:
  // A new node for an id the table builds, else null.
  using NodeTable = GameNode* (*)(int32_t id);

  // Null takes the table away again.
  static void SetNodeTable(NodeTable table);
  static NodeTable GetNodeTable();

  // A new node, owned by the caller; null for the ids without a node (none, nogame). Any other id
  // that the table does not build (or every other id, without a table) throws
  // "Invalid node ID in NodeFactory::CreateNode()".
  static GameNode* CreateNode(int32_t id);
};
