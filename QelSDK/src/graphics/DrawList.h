// The draw list of one frame: what each visible drawable shows, and where, before sorting.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Box3.h"
#include "core/Point2.h"

namespace Qel {

class SceneObject;

struct DrawListEntry {
  // Not owning: the list lives only while the scene that holds the object draws.
  SceneObject* m_object;
  // The sort keys, the object's layer and screen depth, taken when the entry is made so that sorting
  // need not reach into the objects.
  int32_t m_layer;
  int32_t m_depth;
  // In the object's own pixel frame.
  Box3 m_source;
  // Relative to the clip box's minimum corner.
  Point2 m_destination;
};

using DrawList = std::vector<DrawListEntry>;

}  // namespace Qel
