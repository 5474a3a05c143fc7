// The modal message box, through which the game reports its fatal errors.
#pragma once

#include <string>

#include "platform/win/kernel/WinTypes.h"
#include "platform/win/user/Window.h"

namespace plat::win {

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr int IDOK = 1;

// Writes "caption: text" to stderr always, then ends the game's window (EndSDLVideo), so that no
// dead window stays behind the box. When a display is available it also shows a modal box with an
// OK button until it is dismissed: Return and Escape press OK, and so does an interrupt or
// terminate signal, so that the program ends as it does after OK. Headless (no DISPLAY, SDL's dummy
// video driver, or PILO_NO_DIALOGS=1) it only prints. Only MB_OK boxes exist; the result is IDOK.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

namespace detail {
// The box's text as its label shows it: UTF-8 from the code page, every "@" drawn as itself.
std::string MessageBoxLabel(const char* text);
}  // namespace detail

}  // namespace plat::win
