// One picture of a sprite's image table: where it sits and the surface that shows it.
#pragma once

#include <memory>

#include "core/Point2.h"

namespace Qel {

class DrawingSurface;

struct SpriteImageRecord {
  // Of the image's top-left corner from the sprite's origin.
  Point2 m_offset;
  // Shared with every frame that shows the image; null when the image could not be made.
  std::shared_ptr<DrawingSurface> m_surface;
};

}  // namespace Qel
