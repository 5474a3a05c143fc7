// The system cursor's display count.
#pragma once

#include "platform/win/kernel/WinTypes.h"
#include "platform/win/user/Window.h"

namespace plat::win {

// Raises or lowers the display count and returns the new count; the cursor shows while it is
// 0 or more. The SDL window's own cursor is shown and hidden through SDL by the program.
int ShowCursor(BOOL show);

// The pointer's position on the screen, from SDL's mouse state; the client area's corner is the screen's
// origin (see ClientToScreen). (0, 0) while no video mode is set. FALSE for a null point.
BOOL GetCursorPos(POINT* point);

}  // namespace plat::win
