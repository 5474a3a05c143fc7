// The mouse position in a window's client pixels, for a display that draws into that window.
#include "graphics/CursorClientPosition.h"

#include "platform/win/user/Cursor.h"
#include "platform/win/user/Window.h"

namespace Qel {

Point2 GetCursorClientPosition(plat::win::HWND window) {
  if (!window) return Point2(0, 0);
  plat::win::POINT cursor{0, 0};
  plat::win::GetCursorPos(&cursor);
  plat::win::RECT client{0, 0, 0, 0};
  plat::win::POINT corner{0, 0};
  if (!plat::win::GetClientRect(window, &client)) return Point2(0, 0);
  corner.x = client.left;
  corner.y = client.top;
  if (!plat::win::ClientToScreen(window, &corner)) return Point2(0, 0);
  return Point2(cursor.x - corner.x, cursor.y - corner.y);
}

}  // namespace Qel
