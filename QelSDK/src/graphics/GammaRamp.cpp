// Building one channel of a device gamma ramp from a gain.
#include "graphics/GammaRamp.h"

#include <cmath>

namespace Qel {

void BuildGammaRamp(float gain, uint16_t (&ramp)[kGammaRampSize]) {
  for (int i = 0; i < kGammaRampSize; ++i) {
    const double value = std::round(i * 257.0 * static_cast<double>(gain));
    // Written so that NaN falls to 0 as well.
    ramp[i] = !(value > 0.0) ? 0 : value >= 65535.0 ? 65535 : static_cast<uint16_t>(value);
  }
}

}  // namespace Qel
