// The message box of the settings tool, through which it reports what went wrong.
#pragma once

#include "platform/mfc/Types.h"

namespace plat::mfc {

// Writes "caption: text" to stderr always; shows a modal box with an OK button (Return and Escape
// press it) only when a display can be opened and PILO_NO_DIALOGS is not "1". Texts are in the
// code page. Only MB_OK boxes exist; the result is IDOK.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace plat::mfc
