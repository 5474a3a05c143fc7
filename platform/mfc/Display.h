// The X display the dialogs and message boxes need, and the code-page text FLTK is given.
#pragma once

#include <string>
#include <string_view>

class Fl_Window;

namespace plat::mfc::detail {

// Opens the X display for FLTK, once it can be reached. False when DISPLAY is unset or empty or its server
// cannot be reached: FLTK would end the process itself then, so nothing of FLTK runs without a display.
bool OpenDisplay();

// A display opens and PILO_NO_DIALOGS is not "1" (tests under Xvfb silence the boxes with it).
bool CanShowMessageBoxes();

// Sets a window's title. FLTK 1.3 stores the UTF-8 bytes in WM_NAME as if they were Latin-1, so
// a title with accents would read garbled to whatever reads that property (pagers, xdotool); once
// the window exists the property is set again the way the X library encodes a UTF-8 title.
void SetWindowTitle(Fl_Window& window, const std::string& utf8);

// Text in the program's code page as the UTF-8 FLTK draws.
std::string Utf8FromCodePage(std::string_view text);

// The same for a widget label, with "@" doubled so that no text is read as a symbol name.
std::string LabelFromCodePage(std::string_view text);

}  // namespace plat::mfc::detail
