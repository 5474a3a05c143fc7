// A new device surface whose pixels are written in place, so that an image is not first built in a
// buffer of its own and then copied.
#pragma once

#include <cstdint>
#include <functional>

namespace Qel {

class Color;
class DisplayDevice;
class DrawingSurface;
class PixelFormat;

// fill writes every row through the locked bits at the given pitch and answers whether it did. Null
// when the device makes no surface, it cannot be locked or fill fails; the surface is then gone. A key
// other than TransparentBlack becomes the surface's colour key, as with CreateSurfaceFromPixels.
DrawingSurface* CreateFilledSurface(DisplayDevice& device, int width, int height, const PixelFormat& format,
                                    int kind, const Color* colorKey,
                                    const std::function<bool(uint8_t* bits, int pitch)>& fill);

// zlib's uncompress of length bytes into exactly size bytes; false for anything else.
bool InflateExactly(const uint8_t* bytes, uint32_t length, uint8_t* out, uint64_t size);

}  // namespace Qel
