// The node of the scene tree: everything that is placed, bounded, hit-tested and drawn derives from it.
#pragma once

#include <list>
#include <memory>
#include <string>

#include "core/Box3.h"
#include "core/Point2.h"
#include "core/Point3.h"
#include "graphics/CollisionBoundsPtr.h"
#include "graphics/DrawList.h"

namespace Qel {

class DrawingSurface;
class ISceneVisitor;
class SceneObjectGroup;
class SceneWorld;

// Scene objects are held by shared pointers: a group owns its children, a child knows its group by a
// plain pointer. Positions are in the parent's frame: x to the right, y downwards, z the depth.
class SceneObject {
public:
  SceneObject() = default;
  virtual ~SceneObject() = default;
  SceneObject(const SceneObject&) = delete;
  SceneObject& operator=(const SceneObject&) = delete;

  // The world above this object; null when it hangs in no world.
  virtual SceneWorld* GetWorld();

  // The object's own extent in its local frame.
  virtual void ComputeLocalBounds(Box3& out) const = 0;
  virtual void GetAnchoredBounds(Box3& out) const;
  virtual void GetParentBounds(Box3& out) const;
  virtual void GetWorldBounds(Box3& out) const;
  virtual void GetScreenBounds(Box3& out) const;

  // World to screen and back, in place; the world above does the work.
  virtual void BoxToScreen(Box3& box) const;
  virtual void PointToScreen(Point3& p) const;
  virtual void BoxFromScreen(Box3& box) const;
  virtual void PointFromScreen(Point3& p) const;

  // Appends this object to results when its world shape meets the probe; skip never matches.
  virtual bool TestCollision(const CollisionBoundsPtr& probe, std::list<SceneObject*>& results,
                             const SceneObject* skip);

  // The child operations do nothing in a leaf.
  virtual void AddChild(std::shared_ptr<SceneObject> child);
  virtual bool RemoveChild(const std::string& name);
  virtual void RemoveAllChildren();
  virtual std::shared_ptr<SceneObject> FindChild(const std::string& name) const;

  virtual void Accept(ISceneVisitor& visitor) = 0;
  virtual void AcceptChildren(ISceneVisitor& visitor);

  virtual void SetChildWorldPosition(SceneObject& child, const Point3& world);
  virtual void GetChildWorldPosition(Point3& out, const SceneObject& child) const;
  // The same as GetChildWorldPosition, on the draw pass's own path up the tree.
  virtual void ComputeChildWorldPosition(const SceneObject& child, Point3& out) const;

  virtual bool FindCollisionsFor(const SceneObject& object, const Point3& offset,
                                 std::list<SceneObject*>& results);

  // Draws the source part (in the object's own pixel frame) onto the target at the given point.
  virtual void Render(DrawingSurface& target, const Box3& source, const Point2& at);

  // False, with nothing changed, when a sibling already has the name.
  bool SetName(const std::string& name);
  const std::string& GetName() const { return m_name; }

  void Show();
  void Hide();
  // The own flag and that of every group above.
  bool IsVisible() const;
  // The own flag only.
  bool IsShown() const { return m_visible; }

  void SetLayer(int layer) { m_layer = layer; }
  int GetLayer() const { return m_layer; }

  void GetBounds(Box3& out) const;
  const Box3& GetCachedBounds() const;

  void SetAnchor(const Point3& anchor);
  const Point3& GetAnchor() const { return m_anchor; }
  void SetLocalPosition(const Point3& position);
  Point3 GetLocalPosition() const { return m_position; }
  SceneObjectGroup* GetParent() const { return m_parent; }

  void SetWorldPosition(const Point3& world);
  void SetWorldPosition(int32_t x, int32_t y, int32_t z) { SetWorldPosition(Point3(x, y, z)); }
  Point3 GetWorldPosition() const;
  void GetDrawWorldPosition(Point3& out) const;

  // Inside the object's own CollectDrawables these answer what the draw pass cached for the frame.
  Point3 GetScreenPosition() const;
  void GetCachedScreenBounds(Box3& out) const;

  // Setting the mark climbs to the first ancestor that is already marked.
  void SetBoundsDirty(bool dirty) const;
  void InvalidateParentBounds() const;

  void EnableCollision() { m_collisionEnabled = true; }
  void DisableCollision() { m_collisionEnabled = false; }
  bool IsCollisionEnabled() const { return m_collisionEnabled; }
  // Keeps a copy of the shape, in the object's local frame.
  void SetCollisionBounds(const CollisionBoundsPtr& bounds) { m_collisionBounds = bounds; }
  void GetWorldCollisionBounds(CollisionBoundsPtr& out) const;
  // Every collision-enabled object of the same world whose shape meets this one's, in name order.
  bool FindCollisions(std::list<SceneObject*>& results);

  // The draw pass over this object and everything below it; true when the list is not empty afterwards.
  bool Draw(const Box3& clip, DrawList& list);

protected:
  // Adds to the list what of this object is visible inside the clip. The draw pass calls it with the
  // screen caches valid.
  virtual bool CollectDrawables(const Box3& clip, DrawList& list) = 0;

private:
  friend class SceneObjectGroup;

  // The screen bounds and position of the subtree, computed once per pass and bottom-up: a group's
  // bounds are the union of its children's, which the children's own steps then reuse instead of
  // computing them again at every level. Nothing moves while a pass collects, so the values are those
  // each step would compute for itself.
  virtual void PrepareScreenCache();
  // One object's step of the pass, on a prepared screen cache.
  bool DrawPrepared(const Box3& clip, DrawList& list);

  // Only groups call it, when they adopt or release a child.
  void SetParent(SceneObjectGroup* parent);
  void UpdateBounds() const;
  // What a group's bounds cover depends on whether the group is visible, which every group above it
  // decides: when that changes for this object, nothing cached from before may survive below it.
  void DropBoundsBelowIfVisibilityChanged(bool wasVisible) const;
  // Marks this object and everything below it dirty, without climbing.
  virtual void MarkSubtreeBoundsDirty() const;

  std::string m_name;
  bool m_visible = true;
  bool m_collisionEnabled = false;
  int32_t m_layer = 0;
  Point3 m_anchor;
  SceneObjectGroup* m_parent = nullptr;
  Point3 m_position;
  // Bounds are derived data, cached on first use, so queries stay const.
  mutable Box3 m_bounds;
  mutable bool m_boundsDirty = true;
  CollisionBoundsPtr m_collisionBounds;
  Point3 m_screenPosition;
  Box3 m_screenBounds;
  bool m_screenCacheValid = false;
};

}  // namespace Qel
