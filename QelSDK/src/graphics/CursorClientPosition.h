// The mouse position in a window's client pixels, for a display that draws into that window.
#pragma once

#include "core/Point2.h"
#include "platform/win/kernel/WinTypes.h"

namespace Qel {

// The cursor's screen position less the corner of the window's client area on the screen; (0, 0) for a
// null window or one whose client area cannot be found.
Point2 GetCursorClientPosition(plat::win::HWND window);

}  // namespace Qel
