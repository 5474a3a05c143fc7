// The display mode: going back to the desktop's own mode.
#include "platform/win/user/DisplaySettings.h"

#include <SDL.h>

namespace plat::win {

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD /*flags*/) {
  if (mode) return DISP_CHANGE_BADMODE;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return DISP_CHANGE_SUCCESSFUL;
  SDL_Surface* screen = SDL_GetVideoSurface();
  if (screen && (screen->flags & SDL_FULLSCREEN)) {
    // A driver that cannot toggle gets the desktop back when the video mode ends.
    if (!SDL_WM_ToggleFullScreen(screen)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace plat::win
