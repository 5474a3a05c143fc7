// A GDI brush.
#pragma once

#include "graphics/WinGdiObject.h"

namespace Qel {

class WinBrush : public WinGdiObject {
public:
  // Replaces the brush held before; false when GDI refuses it.
  bool CreateSolid(plat::gdi::COLORREF color);

  plat::gdi::HBRUSH GetBrush() const { return static_cast<plat::gdi::HBRUSH>(GetHandle()); }
};

}  // namespace Qel
