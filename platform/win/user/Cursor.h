// The system cursor's display count.
#pragma once

#include "platform/win/kernel/WinTypes.h"

namespace plat::win {

// Raises or lowers the display count and returns the new count; the cursor shows while it is
// 0 or more. The SDL window's own cursor is shown and hidden through SDL by the program.
int ShowCursor(BOOL show);

}  // namespace plat::win
