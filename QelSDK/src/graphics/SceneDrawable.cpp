// A leaf of the scene tree that puts pixels on the screen.
#include "graphics/SceneDrawable.h"

#include "graphics/ISceneVisitor.h"

namespace Qel {

void SceneDrawable::GetParentBounds(Box3& out) const {
  GetCachedScreenBounds(out);
  BoxFromScreen(out);
  out -= GetWorldPosition();
  out += GetLocalPosition();
}

void SceneDrawable::GetScreenBounds(Box3& out) const {
  GetAnchoredBounds(out);
  out += GetScreenPosition();
}

void SceneDrawable::Accept(ISceneVisitor& visitor) {
  visitor.VisitDrawable(*this);
}

bool SceneDrawable::CollectDrawables(const Box3& clip, DrawList& list) {
  Box3 visible;
  GetCachedScreenBounds(visible);
  Box3::Intersect(visible, clip, visible);
  if (visible.Width() < 1 || visible.Height() < 1) return false;
  const Point3 screen = GetScreenPosition();
  const Point3 destination = visible.Min() - clip.Min();
  list.push_back(DrawListEntry{this, GetLayer(), screen.Z(), visible - screen,
                               Point2(destination.X(), destination.Y())});
  return true;
}

}  // namespace Qel
