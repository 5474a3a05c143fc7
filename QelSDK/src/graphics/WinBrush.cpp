// A GDI brush.
#include "graphics/WinBrush.h"

namespace Qel {

bool WinBrush::CreateSolid(plat::gdi::COLORREF color) {
  Attach(plat::gdi::CreateSolidBrush(color));
  return IsValid();
}

}  // namespace Qel
