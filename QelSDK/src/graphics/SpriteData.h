// What one sprite file yields: the default frame duration, the animation records and the image table.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/SpriteAnimationRecord.h"
#include "graphics/SpriteImageRecord.h"

namespace Qel {

struct SpriteData {
  int16_t m_defaultDuration = 0;
  std::vector<SpriteAnimationRecord> m_animations;
  std::vector<SpriteImageRecord> m_images;
};

}  // namespace Qel
