// The hub's hover areas.
#include "frontend/HubHotspot.h"

HubHotspot::~HubHotspot() = default;
