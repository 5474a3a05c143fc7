// A scene: a world of objects over a background layer.
#include "graphics/Scene.h"

#include <algorithm>

namespace Qel {

void Scene::Draw(DrawingSurface& target, const Box3& clip, const Point2& offset) {
  m_background.Draw(target, clip.ToRect(), offset);
  DrawList& list = m_drawList;
  list.clear();
  if (m_world.Draw(clip, list)) {
    std::stable_sort(list.begin(), list.end(), [](const DrawListEntry& a, const DrawListEntry& b) {
      if (a.m_layer != b.m_layer) return a.m_layer < b.m_layer;
      return a.m_depth < b.m_depth;
    });
    for (const DrawListEntry& entry : list) {
      entry.m_object->Render(target, entry.m_source, offset + entry.m_destination);
    }
  }
  // The entries point at objects that may be gone by the next frame.
  list.clear();
}

}  // namespace Qel
