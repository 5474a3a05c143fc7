// The game's display for targets whose readers make sprite objects: SDL's dummy drivers, so that no X
// server or sound card is needed, in the plainest settings (no alpha blending, a window).
#pragma once

#include <cstdlib>

#include "framework/WinApp.h"

namespace fuzzinput {

// True when the display is open and can make surfaces; a target that gets false runs no input.
inline bool OpenDummyDisplay() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  WinApp& app = GetWinApp();
  app.GetOptions().SetTxtValue("graphics", "0");
  app.GetOptions().SetTxtValue("windowed", "1");
  return app.OpenDisplay() && app.RegisterSurfaceKinds();
}

}  // namespace fuzzinput
