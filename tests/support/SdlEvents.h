// SDL events made by hand and pushed into SDL's queue, as the window system would deliver them.
#pragma once

#include <SDL.h>

namespace test {

SDL_Event KeyEvent(Uint8 type, SDLKey symbol, Uint16 unicode = 0, SDLMod mod = KMOD_NONE);
SDL_Event ButtonEvent(Uint8 type, Uint8 button, Uint16 x, Uint16 y);
// The application gains or loses the input focus.
SDL_Event FocusEvent(bool gain);
// The window's close box.
SDL_Event QuitEvent();
// Fails the current test when SDL's queue refuses the event.
void PushEvent(const SDL_Event& event);

}  // namespace test
