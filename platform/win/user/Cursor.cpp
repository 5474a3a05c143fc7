// The system cursor's display count.
#include "platform/win/user/Cursor.h"

#include <SDL.h>

namespace plat::win {
namespace {
int gDisplayCount = 0;
}

int ShowCursor(BOOL show) {
  return show ? ++gDisplayCount : --gDisplayCount;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  int x = 0;
  int y = 0;
  // SDL answers its last known position, or (0, 0) before video starts.
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetMouseState(&x, &y);
  point->x = x;
  point->y = y;
  return TRUE;
}

}  // namespace plat::win
