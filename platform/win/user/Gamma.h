// Device contexts and the device gamma ramp of the display SDL shows its window on.
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

// The device context of a window or, for a null window, of the screen; the one SDL window covers the
// screen's display, so both reach the same ramp. Null while no video mode is set.
HDC GetDC(HWND window);
// 1 when dc came from GetDC, 0 otherwise.
int ReleaseDC(HWND window, HDC dc);

// ramp holds three runs of 256 WORDs: red, green, blue. Nonzero when the display took the ramp.
BOOL SetDeviceGammaRamp(HDC dc, const void* ramp);

}  // namespace plat::win
