// Translation of Windows and SDL key codes into the game's key and character codes.
#include "framework/KeyTranslation.h"

namespace {

bool PassesAsCharacter(unsigned code) {
  return code == 8 || code == 9 || code == 13 || code == 27 || (code >= 32 && code <= 126);
}

uint16_t UpperCase(unsigned code) {
  return static_cast<uint16_t>(code >= 'a' && code <= 'z' ? code - 32 : code);
}

}  // namespace

uint16_t TranslateVirtualKey(unsigned character, unsigned virtualKey) {
  if (character != 0) return PassesAsCharacter(character) ? UpperCase(character) : 0;
  const bool passes = virtualKey == 35 || virtualKey == 36 || (virtualKey >= 37 && virtualKey <= 40) ||
                      virtualKey == 45 || virtualKey == 46 || (virtualKey >= 112 && virtualKey <= 119);
  return passes ? static_cast<uint16_t>(virtualKey) : 0;
}

uint16_t TranslateSDLKey(int symbol, bool& special) {
  special = false;
  if (symbol >= 0 && PassesAsCharacter(static_cast<unsigned>(symbol))) {
    return UpperCase(static_cast<unsigned>(symbol));
  }
  special = true;
  if (symbol >= 282 && symbol <= 289) return static_cast<uint16_t>(112 + (symbol - 282));  // F1..F8
  switch (symbol) {
    case 127:
      return 46;  // Delete
    case 273:
      return 38;  // up
    case 274:
      return 40;  // down
    case 275:
      return 39;  // right
    case 276:
      return 37;  // left
    case 277:
      return 45;  // Insert
    case 278:
      return 36;  // Home
    case 279:
      return 35;  // End
    default:
      return 0;
  }
}
