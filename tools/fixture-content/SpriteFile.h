// A whole sprite file to write: its version, default frame duration, animations and image table.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "fixture-content/SpriteFileAnimation.h"
#include "fixture-content/SpriteFileImage.h"

namespace fixture {

struct SpriteFile {
  int32_t m_version = 7;
  int16_t m_defaultDuration = 100;
  std::vector<SpriteFileAnimation> m_animations;
  std::vector<SpriteFileImage> m_images;
  // Counts to store other than the true ones: animations, images, and (below version 7) image sets.
  std::optional<int16_t> m_animationCountField;
  std::optional<int16_t> m_imageCountField;
  std::optional<int16_t> m_setCountField;
};

}  // namespace fixture
