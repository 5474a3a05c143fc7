// The mapping between the engine's pixel formats and Direct3D 8 format codes, both ways.
#pragma once

#include <cstdint>

#include "core/PixelFormat.h"

namespace Qel {

// The code paired with the first table entry equal to the format (all fields compared); 0, the unknown
// format, when none is.
uint32_t D3DFormatFromPixelFormat(const PixelFormat& format);
// The engine format paired with the code; kPixelFormatNone for a code outside the table.
PixelFormat PixelFormatFromD3DFormat(uint32_t code);

}  // namespace Qel
