// The hub's heads-up display.
#include "frontend/CHubHud.h"

CHubHud::CHubHud() : Hud("HubHud") {}

CHubHud::~CHubHud() = default;
