// The background layer of a scene.
#include "graphics/SceneCellGrid.h"

namespace Qel {

bool SceneCellGrid::Draw(DrawingSurface&, const Rect&, const Point2&) {
  // No grid is ever given cells or a cell size, so there is nothing under the objects to draw.
  return true;
}

}  // namespace Qel
