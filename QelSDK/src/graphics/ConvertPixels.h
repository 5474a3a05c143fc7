// Conversion of a rectangle of pixels between packed formats, channel by channel.
#pragma once

#include "core/PixelFormat.h"

namespace Qel {

// Channels are given by bit count and shift, as PixelFormat derives them from its masks. Pixels are
// units of 1, 2, 3 or 4 bytes (8, 16, 24, 32 bits); any other depth on either side writes nothing.
// A channel is rescaled as x * D / S rounded half up; an alpha channel the source lacks becomes opaque.
// Works in place when both sides have the same unit size and pitch.
void ConvertPixels(int width, int height, const void* source, int sourcePitch, int sourceBitsPerPixel,
                   int sourceAlphaBits, int sourceRedBits, int sourceGreenBits, int sourceBlueBits,
                   int sourceAlphaShift, int sourceRedShift, int sourceGreenShift, int sourceBlueShift,
                   void* destination, int destinationPitch, int destinationBitsPerPixel,
                   int destinationAlphaBits, int destinationRedBits, int destinationGreenBits,
                   int destinationBlueBits, int destinationAlphaShift, int destinationRedShift,
                   int destinationGreenShift, int destinationBlueShift);

// The same, with both sides described by their formats.
void ConvertPixels(int width, int height, const void* source, int sourcePitch,
                   const PixelFormat& sourceFormat, void* destination, int destinationPitch,
                   const PixelFormat& destinationFormat);

}  // namespace Qel
