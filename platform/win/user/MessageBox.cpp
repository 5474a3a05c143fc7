// The modal message box: stderr always, an FLTK dialog when a display is there to show it.
#include "platform/win/user/MessageBox.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat::win {
namespace {

bool IsSet(const char* variable, const char* value) {
  const char* current = std::getenv(variable);
  return current && std::strcmp(current, value) == 0;
}

bool CanShowDialogs() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  if (IsSet("SDL_VIDEODRIVER", "dummy") || IsSet("PILO_NO_DIALOGS", "1")) return false;
  return true;
}

}  // namespace

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
  const char* shownText = text ? text : "";
  const char* shownCaption = caption ? caption : "Error";  // Windows' caption for a null one
  std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
  std::fflush(stderr);
  if (CanShowDialogs()) {
    fl_message_title(shownCaption);
    fl_choice("%s", "OK", nullptr, nullptr, shownText);
  }
  return IDOK;
}

}  // namespace plat::win
