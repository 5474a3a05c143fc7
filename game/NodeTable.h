// The table of node ids to node classes: the one place that knows every node of the game.
#pragma once

#include <cstdint>

class GameNode;

class NodeTable {
public:
  // A new node of the id's class, owned by the caller; null for an id that has no class in this
  // build (the node factory then refuses it).
  static GameNode* CreateNode(int32_t id);
};
