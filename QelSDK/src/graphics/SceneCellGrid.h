// The background layer of a scene, drawn before its objects: a grid of cells for tiled background images.
#pragma once

#include "core/Point2.h"
#include "core/Rect.h"

namespace Qel {

class DrawingSurface;

class SceneCellGrid {
public:
  // False when a blit failed.
  bool Draw(DrawingSurface& target, const Rect& clip, const Point2& offset);
};

}  // namespace Qel
