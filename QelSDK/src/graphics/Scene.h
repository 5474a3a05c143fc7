// A scene: a world of objects over a background layer, drawn once per frame in layer and depth order.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/Box3.h"
#include "core/Point2.h"
#include "graphics/DrawList.h"
#include "graphics/SceneCellGrid.h"
#include "graphics/SceneWorld.h"

namespace Qel {

class DrawingSurface;

class Scene {
public:
  Scene() = default;
  virtual ~Scene() = default;
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  SceneWorld& GetWorld() { return m_world; }

  // Draws every visible drawable that cuts the clip box (its z range included) onto the target, lower
  // layers first and, within a layer, smaller screen depths first; ties keep the tree's order (depth
  // first, children by name). The clip box's minimum corner lands at the offset.
  void Draw(DrawingSurface& target, const Box3& clip, const Point2& offset);

private:
  SceneCellGrid m_background;
  SceneWorld m_world;
  // Hold entries only during Draw; kept between frames for their capacity.
  DrawList m_drawList;
  // Each entry's sort key (layer, then depth) beside its place in the list, which breaks ties.
  std::vector<std::pair<uint64_t, uint32_t>> m_drawOrder;
};

}  // namespace Qel
