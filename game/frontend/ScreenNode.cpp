// The screen node: the room of full-screen pages, which offers no quit dialog.
#include "frontend/ScreenNode.h"

ScreenNode::ScreenNode() = default;

ScreenNode::~ScreenNode() = default;

void ScreenNode::Activate() {
  SetQuitAllowed(false);
  RoomNode::Activate();
}
