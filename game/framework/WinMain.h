// The program's entry: one copy at a time, then start-up, the message loop and shut-down.
#pragma once

#include "platform/win/kernel/Module.h"

// Returns 0 when the game ran and ended normally or another copy already runs, non-zero after a
// fatal error (which the "Error" box reports). Whichever way the game ends, the application's
// shut-down has run before this returns, so that nothing of the game is left for the destruction of
// statics.
int WinMain(plat::win::HINSTANCE instance, plat::win::HINSTANCE previousInstance, char* commandLine,
            int showCommand);
