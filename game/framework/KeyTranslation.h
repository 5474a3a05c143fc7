// Translation of Windows and SDL key codes into the game's key and character codes.
#pragma once

#include <cstdint>

// With a character: Backspace, Tab, Return, Escape and the printable ASCII range pass, lower-case
// letters becoming upper case. Without one: only End, Home, the arrows, Insert, Delete and F1 to F8
// pass. Anything else gives 0.
uint16_t TranslateVirtualKey(unsigned character, unsigned virtualKey);

// An SDL 1.2 key symbol: characters as TranslateVirtualKey gives them (special false), or the
// Windows virtual key of the keys above (special true); anything else 0.
uint16_t TranslateSDLKey(int symbol, bool& special);
