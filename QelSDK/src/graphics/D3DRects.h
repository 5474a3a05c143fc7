// Engine rectangles as the Direct3D stand-in's.
#pragma once

#include "core/Rect.h"
#include "platform/d3d8/D3D8Types.h"

namespace Qel {

inline plat::d3d8::RECT ToD3DRect(const Rect& rect) {
  return plat::d3d8::RECT{rect.Left(), rect.Top(), rect.Right(), rect.Bottom()};
}

}  // namespace Qel
