// The demo title page of the hub.
#include "frontend/UpsellTitleScreen.h"

#include "framework/NodeId.h"

UpsellTitleScreen::UpsellTitleScreen() : SharkTitleScreen(Page{"UpsellDemo", kNodeHub, 5}) {}

UpsellTitleScreen::~UpsellTitleScreen() = default;
