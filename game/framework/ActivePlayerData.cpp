// The progress record that the screens and games read and change while they run.
#include "framework/ActivePlayerData.h"

constinit PlayerData ActivePlayerData;
