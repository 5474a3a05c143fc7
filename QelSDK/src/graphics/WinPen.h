// A GDI pen.
#pragma once

#include "graphics/WinGdiObject.h"

namespace Qel {

class WinPen : public WinGdiObject {
public:
  // Replaces the pen held before; false when GDI refuses it.
  bool Create(int style, int width, plat::gdi::COLORREF color);

  plat::gdi::HPEN GetPen() const { return static_cast<plat::gdi::HPEN>(GetHandle()); }
};

}  // namespace Qel
