// The display mode: only going back to the desktop's own mode, which the game does when it ends.
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

struct DEVMODEA;

inline constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
inline constexpr LONG DISP_CHANGE_BADMODE = -2;

// With no mode: leaves a full-screen SDL video mode, so the desktop gets its own mode back. Other
// modes are set by the display devices through SDL and are refused here.
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);

}  // namespace plat::win
