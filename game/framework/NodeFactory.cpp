// The node factory: builds the node of a node id.
#include "framework/NodeFactory.h"

#include "framework/NodeId.h"

namespace {
NodeFactory::NodeTable gNodeTable = nullptr;
}

void NodeFactory::SetNodeTable(NodeTable table) {
  gNodeTable = table;
}

NodeFactory::NodeTable NodeFactory::GetNodeTable() {
  return gNodeTable;
}

GameNode* NodeFactory::CreateNode(int32_t id) {
  switch (id) {
    case kNodeNone:
    case kNodeNoGame:
      return nullptr;
    default:
      break;
  }
  if (gNodeTable != nullptr) {
    if (GameNode* node = gNodeTable(id)) return node;
  }
  throw "Invalid node ID in NodeFactory::CreateNode()";
}
