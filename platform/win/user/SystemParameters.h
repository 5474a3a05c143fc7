// System-wide settings: only the screen saver's on/off switch, which the game turns off while it runs.
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

inline constexpr UINT SPI_GETSCREENSAVEACTIVE = 0x0010;
inline constexpr UINT SPI_SETSCREENSAVEACTIVE = 0x0011;
inline constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
inline constexpr UINT SPIF_SENDCHANGE = 0x0002;

// GET writes the switch as a BOOL into *value; SET takes it from uiParam. The switch is the
// process's own: SDL already keeps the screen saver away while its window is up, and a setting
// that outlived the process could not be restored after a crash.
BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* value, UINT winIni);

}  // namespace plat::win
