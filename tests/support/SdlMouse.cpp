// The mouse moved by hand, as the window system would move it: what SDL's mouse state then reads.
#include "support/SdlMouse.h"

#include <SDL.h>

namespace test {

void MoveMouse(int x, int y) {
  // SDL's position is unsigned; it clamps to the screen only what it is given.
  const auto clamp = [](int value) {
    return static_cast<Uint16>(value < 0 ? 0 : value > 0xFFFF ? 0xFFFF : value);
  };
  SDL_WarpMouse(clamp(x), clamp(y));
}

}  // namespace test
