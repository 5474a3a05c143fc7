// The sprite draw's pixel work: a row of source pixels over a row of destination pixels.
#pragma once

#include <cstdint>

#include "platform/d3d8/D3D8Types.h"

namespace plat::d3d8 {

// Per channel (alpha too) d = (s·a + d·(255−a) + 127) / 255 on the pixels widened to 8 bits, then
// narrowed to the destination's format; source alpha 0 leaves the destination pixel as it was and
// 255 stores the source. A source without alpha is opaque except where marks (one byte a pixel, or
// null) say it was keyed. Neither format may be P8's paletted form: P8 reads and writes as grey.
void BlendSpan(D3DFORMAT sourceFormat, const uint8_t* source, const uint8_t* marks, D3DFORMAT destFormat,
               uint8_t* dest, int count);

// The same, one pixel at a time: the reference every faster path must equal.
void BlendSpanScalar(D3DFORMAT sourceFormat, const uint8_t* source, const uint8_t* marks,
                     D3DFORMAT destFormat, uint8_t* dest, int count);

}  // namespace plat::d3d8
