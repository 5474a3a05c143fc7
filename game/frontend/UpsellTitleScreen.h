// The demo title page of the hub: the sub game's page with its own database, leading to the hub, with
// its exit button in the usual corner.
#pragma once

#include "frontend/SharkTitleScreen.h"

class UpsellTitleScreen : public SharkTitleScreen {
public:
  UpsellTitleScreen();
  ~UpsellTitleScreen() override;
};
