// The X display the dialogs and message boxes need, and the code-page text FLTK is given.
#include "platform/mfc/Display.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/win/kernel/CodePage.h"

namespace plat::mfc::detail {

bool OpenDisplay() {
  // Only success is kept: a display that could not be reached is tried again next time.
  static bool opened = false;
  if (opened) return true;
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  Display* display = XOpenDisplay(name);
  if (!display) return false;
  fl_open_display(display);  // FLTK keeps it to the end of the process
  opened = true;
  return true;
}

bool CanShowMessageBoxes() {
  const char* silenced = std::getenv("PILO_NO_DIALOGS");
  if (silenced && std::strcmp(silenced, "1") == 0) return false;
  return OpenDisplay();
}

void SetWindowTitle(Fl_Window& window, const std::string& utf8) {
  window.copy_label(utf8.c_str());
  if (!window.shown()) return;
  Xutf8SetWMProperties(fl_display, fl_xid(&window), utf8.c_str(), utf8.c_str(), nullptr, 0, nullptr, nullptr,
                       nullptr);
}

std::string Utf8FromCodePage(std::string_view text) {
  if (text.empty()) return {};
  const int count = static_cast<int>(text.size());
  const int units = plat::win::MultiByteToWideChar(plat::win::CP_ACP, 0, text.data(), count, nullptr, 0);
  if (units <= 0) return {};
  std::vector<plat::win::WCHAR> wide(static_cast<size_t>(units));
  plat::win::MultiByteToWideChar(plat::win::CP_ACP, 0, text.data(), count, wide.data(), units);
  const int bytes =
      plat::win::WideCharToMultiByte(plat::win::CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string utf8(static_cast<size_t>(bytes), '\0');
  plat::win::WideCharToMultiByte(plat::win::CP_UTF8, 0, wide.data(), units, utf8.data(), bytes, nullptr,
                                 nullptr);
  return utf8;
}

std::string LabelFromCodePage(std::string_view text) {
  std::string label;
  for (char c : Utf8FromCodePage(text)) {
    label += c;
    if (c == '@') label += '@';
  }
  return label;
}

}  // namespace plat::mfc::detail
