// A scene: a world of objects over a background layer.
#include "graphics/Scene.h"

#include <algorithm>

namespace Qel {
namespace {

// Orders as the pair (layer, depth) does, both signed.
uint64_t SortKey(int32_t layer, int32_t depth) {
  const auto biased = [](int32_t value) { return static_cast<uint32_t>(value) ^ 0x80000000u; };
  return static_cast<uint64_t>(biased(layer)) << 32 | biased(depth);
}

}  // namespace

void Scene::Draw(DrawingSurface& target, const Box3& clip, const Point2& offset) {
  m_background.Draw(target, clip.ToRect(), offset);
  DrawList& list = m_drawList;
  list.clear();
  if (m_world.Draw(clip, list)) {
    // Small keys are sorted rather than the entries themselves; with the list's order as the last key
    // every key differs, so the order is the stable one.
    m_drawOrder.clear();
    m_drawOrder.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
      m_drawOrder.emplace_back(SortKey(list[i].m_layer, list[i].m_depth), static_cast<uint32_t>(i));
    }
    std::sort(m_drawOrder.begin(), m_drawOrder.end());
    for (const auto& [key, index] : m_drawOrder) {
      const DrawListEntry& entry = list[index];
      entry.m_object->Render(target, entry.m_source, offset + entry.m_destination);
    }
  }
  // The entries point at objects that may be gone by the next frame.
  list.clear();
}

}  // namespace Qel
