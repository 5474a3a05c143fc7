// Building one channel of a device gamma ramp from a gain.
#pragma once

#include <cstdint>

namespace Qel {

constexpr int kGammaRampSize = 256;

// Entry i = i x 257 x gain rounded half away from zero, held within the 16 bits of a ramp entry: gains
// above 1 saturate at 65535 instead of wrapping to dark values, and negative or undefined gains give 0.
void BuildGammaRamp(float gain, uint16_t (&ramp)[kGammaRampSize]);

}  // namespace Qel
