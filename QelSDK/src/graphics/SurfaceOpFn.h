// The signature of a surface-pair operation (copy or blit) kept in the operation tables.
#pragma once

#include <cstdint>

namespace Qel {

class DrawingSurface;
class Rect;

// 0 on success. A null rectangle is passed on as null; each back end decides what it means.
using SurfaceOpFn = int32_t (*)(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                                const Rect* destinationRect);

}  // namespace Qel
