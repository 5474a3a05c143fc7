// The progress record that the screens and games read and change while they run.
#pragma once

#include "framework/PlayerData.h"

// Built before anything runs (constant initialisation), so any static constructor may use it. The
// save paths copy it into CurrentPlayer first; after a load the sign-in screen copies it back.
extern PlayerData ActivePlayerData;
