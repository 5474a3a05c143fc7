// SDL events made by hand and pushed into SDL's queue, as the window system would deliver them.
#include "support/SdlEvents.h"

#include <gtest/gtest.h>

namespace test {

SDL_Event KeyEvent(Uint8 type, SDLKey symbol, Uint16 unicode, SDLMod mod) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = symbol;
  event.key.keysym.unicode = unicode;
  event.key.keysym.mod = mod;
  return event;
}

SDL_Event ButtonEvent(Uint8 type, Uint8 button, Uint16 x, Uint16 y) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.button = button;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event FocusEvent(bool gain) {
  SDL_Event event{};
  event.type = SDL_ACTIVEEVENT;
  event.active.type = SDL_ACTIVEEVENT;
  event.active.state = SDL_APPINPUTFOCUS;
  event.active.gain = gain ? 1 : 0;
  return event;
}

SDL_Event QuitEvent() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  return event;
}

void PushEvent(const SDL_Event& event) {
  SDL_Event copy = event;
  ASSERT_EQ(SDL_PushEvent(&copy), 0);
}

}  // namespace test
