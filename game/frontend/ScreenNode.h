// The screen node: the room of full-screen pages, which offers no quit dialog.
#pragma once

#include "frontend/RoomNode.h"

class ScreenNode : public RoomNode {
public:
  ScreenNode();
  ~ScreenNode() override;

  // Escape is no way out of a full-screen page: the quit dialog is turned off before the room's
  // activation.
  void Activate() override;
};
