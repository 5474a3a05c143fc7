// The node of the scene tree.
#include "graphics/SceneObject.h"

#include "graphics/SceneObjectGroup.h"

namespace Qel {

SceneWorld* SceneObject::GetWorld() {
  return m_parent ? m_parent->GetWorld() : nullptr;
}

void SceneObject::GetAnchoredBounds(Box3& out) const {
  GetBounds(out);
  out -= m_anchor;
}

void SceneObject::GetParentBounds(Box3& out) const {
  GetAnchoredBounds(out);
  out += m_position;
}

void SceneObject::GetWorldBounds(Box3& out) const {
  GetAnchoredBounds(out);
  out += GetWorldPosition();
}

void SceneObject::GetScreenBounds(Box3& out) const {
  GetWorldBounds(out);
  BoxToScreen(out);
}

void SceneObject::BoxToScreen(Box3& box) const {
  if (m_parent) m_parent->BoxToScreen(box);
}

void SceneObject::PointToScreen(Point3& p) const {
  if (m_parent) m_parent->PointToScreen(p);
}

void SceneObject::BoxFromScreen(Box3& box) const {
  if (m_parent) m_parent->BoxFromScreen(box);
}

void SceneObject::PointFromScreen(Point3& p) const {
  if (m_parent) m_parent->PointFromScreen(p);
}

bool SceneObject::TestCollision(const CollisionBoundsPtr& probe, std::list<SceneObject*>& results,
                                const SceneObject* skip) {
  if (!m_collisionEnabled || skip == this) return false;
  CollisionBoundsPtr own;
  GetWorldCollisionBounds(own);
  if (!probe.Intersects(own)) return false;
  results.push_back(this);
  return true;
}

void SceneObject::AddChild(std::shared_ptr<SceneObject>) {}

bool SceneObject::RemoveChild(const std::string&) {
  return false;
}

void SceneObject::RemoveAllChildren() {}

std::shared_ptr<SceneObject> SceneObject::FindChild(const std::string&) const {
  return nullptr;
}

void SceneObject::AcceptChildren(ISceneVisitor&) {}

void SceneObject::SetChildWorldPosition(SceneObject& child, const Point3& world) {
  // The anchor is not added back, so for an anchored group the read-back differs by the anchor.
  child.SetLocalPosition(world - GetWorldPosition());
}

void SceneObject::GetChildWorldPosition(Point3& out, const SceneObject& child) const {
  out = GetWorldPosition() + child.m_position - m_anchor;
}

void SceneObject::ComputeChildWorldPosition(const SceneObject& child, Point3& out) const {
  GetDrawWorldPosition(out);
  out += child.m_position;
  out -= m_anchor;
}

bool SceneObject::FindCollisionsFor(const SceneObject& object, const Point3& offset,
                                    std::list<SceneObject*>& results) {
  return m_parent ? m_parent->FindCollisionsFor(object, offset, results) : false;
}

void SceneObject::Render(DrawingSurface&, const Box3&, const Point2&) {}

bool SceneObject::SetName(const std::string& name) {
  if (name == m_name) return true;
  SceneObjectGroup* parent = m_parent;
  if (parent == nullptr) {
    m_name = name;
    return true;
  }
  if (parent->FindChild(name)) return false;
  // The parent holds the only reference we can rely on: keep one while the entry is replaced.
  std::shared_ptr<SceneObject> self = parent->FindChild(m_name);
  parent->RemoveChild(m_name);
  m_name = name;
  parent->AddChild(self);
  return true;
}

void SceneObject::Show() {
  if (m_visible) return;
  const bool wasVisible = IsVisible();
  m_visible = true;
  DropBoundsBelowIfVisibilityChanged(wasVisible);
  // A group's bounds cover its visible children only.
  InvalidateParentBounds();
}

void SceneObject::Hide() {
  if (!m_visible) return;
  const bool wasVisible = IsVisible();
  m_visible = false;
  DropBoundsBelowIfVisibilityChanged(wasVisible);
  InvalidateParentBounds();
}

void SceneObject::SetParent(SceneObjectGroup* parent) {
  const bool wasVisible = IsVisible();
  m_parent = parent;
  DropBoundsBelowIfVisibilityChanged(wasVisible);
}

void SceneObject::DropBoundsBelowIfVisibilityChanged(bool wasVisible) const {
  // Below an object whose visibility stays as it was, every object's visibility stays too.
  if (IsVisible() != wasVisible) MarkSubtreeBoundsDirty();
}

void SceneObject::MarkSubtreeBoundsDirty() const {
  m_boundsDirty = true;
}

bool SceneObject::IsVisible() const {
  for (const SceneObject* object = this; object != nullptr; object = object->m_parent) {
    if (!object->m_visible) return false;
  }
  return true;
}

void SceneObject::GetBounds(Box3& out) const {
  out = GetCachedBounds();
}

const Box3& SceneObject::GetCachedBounds() const {
  if (m_boundsDirty) UpdateBounds();
  return m_bounds;
}

void SceneObject::UpdateBounds() const {
  ComputeLocalBounds(m_bounds);
  m_boundsDirty = false;
}

void SceneObject::SetAnchor(const Point3& anchor) {
  if (anchor == m_anchor) return;
  m_anchor = anchor;
  InvalidateParentBounds();
}

void SceneObject::SetLocalPosition(const Point3& position) {
  if (position == m_position) return;
  m_position = position;
  InvalidateParentBounds();
}

void SceneObject::SetWorldPosition(const Point3& world) {
  if (m_parent) {
    m_parent->SetChildWorldPosition(*this, world);
  } else {
    SetLocalPosition(world);
  }
}

Point3 SceneObject::GetWorldPosition() const {
  if (m_parent == nullptr) return m_position;
  Point3 world;
  m_parent->GetChildWorldPosition(world, *this);
  return world;
}

void SceneObject::GetDrawWorldPosition(Point3& out) const {
  if (m_parent) {
    m_parent->ComputeChildWorldPosition(*this, out);
  } else {
    out = m_position;
  }
}

Point3 SceneObject::GetScreenPosition() const {
  if (m_screenCacheValid) return m_screenPosition;
  Point3 screen = GetWorldPosition();
  PointToScreen(screen);
  return screen;
}

void SceneObject::GetCachedScreenBounds(Box3& out) const {
  if (m_screenCacheValid) {
    out = m_screenBounds;
  } else {
    GetScreenBounds(out);
  }
}

void SceneObject::SetBoundsDirty(bool dirty) const {
  if (dirty == m_boundsDirty) return;
  m_boundsDirty = dirty;
  if (dirty) InvalidateParentBounds();
}

void SceneObject::InvalidateParentBounds() const {
  if (m_parent) m_parent->SetBoundsDirty(true);
}

void SceneObject::GetWorldCollisionBounds(CollisionBoundsPtr& out) const {
  out = m_collisionBounds.MovedBy(GetWorldPosition() - m_anchor);
}

bool SceneObject::FindCollisions(std::list<SceneObject*>& results) {
  results.clear();
  if (m_parent == nullptr) return false;
  return m_parent->FindCollisionsFor(*this, Point3(), results);
}

bool SceneObject::Draw(const Box3& clip, DrawList& list) {
  if (m_visible) PrepareScreenCache();
  return DrawPrepared(clip, list);
}

void SceneObject::PrepareScreenCache() {
  GetDrawWorldPosition(m_screenPosition);
  PointToScreen(m_screenPosition);
  // A drawable's bounds sit at its screen position: read from what was just found instead of walking
  // up the tree a second time.
  m_screenCacheValid = true;
  GetScreenBounds(m_screenBounds);
  m_screenCacheValid = false;
}

bool SceneObject::DrawPrepared(const Box3& clip, DrawList& list) {
  // A hidden object adds nothing, and its subtree is not visited.
  if (m_visible) {
    m_screenCacheValid = true;
    CollectDrawables(clip, list);
    m_screenCacheValid = false;
  }
  return !list.empty();
}

}  // namespace Qel
