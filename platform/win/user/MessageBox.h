// The modal message box, through which the game reports its fatal errors.
#pragma once

#include "platform/win/kernel/WinTypes.h"
#include "platform/win/user/Window.h"

namespace plat::win {

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr int IDOK = 1;

// Writes "caption: text" to stderr always; when a display is available it also shows a modal box
// with an OK button until it is dismissed. Headless (no DISPLAY, SDL's dummy video driver, or
// PILO_NO_DIALOGS=1) it only prints. Only MB_OK boxes exist; the result is IDOK.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace plat::win
