// A GDI pen.
#include "graphics/WinPen.h"

namespace Qel {

bool WinPen::Create(int style, int width, plat::gdi::COLORREF color) {
  Attach(plat::gdi::CreatePen(style, width, color));
  return IsValid();
}

}  // namespace Qel
