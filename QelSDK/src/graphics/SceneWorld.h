// The root group of a scene: converts between its own world coordinates and the screen.
#pragma once

#include <array>

#include "graphics/SceneObjectGroup.h"

namespace Qel {

// Moving a world's position scrolls everything below it on the screen.
class SceneWorld : public SceneObjectGroup {
public:
  // Row-major 4x4, translation in the last row.
  using Matrix = std::array<float, 16>;

  SceneWorld();

  SceneWorld* GetWorld() override { return this; }

  // The group's box with both corners passed through the projection.
  void ComputeLocalBounds(Box3& out) const override;

  void BoxToScreen(Box3& box) const override;
  void PointToScreen(Point3& p) const override;
  void BoxFromScreen(Box3& box) const override;
  void PointFromScreen(Point3& p) const override;

  void Accept(ISceneVisitor& visitor) override;

  // Below a world, world positions are the children's own positions.
  void SetChildWorldPosition(SceneObject& child, const Point3& world) override;
  void GetChildWorldPosition(Point3& out, const SceneObject& child) const override;
  void ComputeChildWorldPosition(const SceneObject& child, Point3& out) const override;

  // Tests the object's world shape, moved by the offset, against every other object of this world.
  bool FindCollisionsFor(const SceneObject& object, const Point3& offset,
                         std::list<SceneObject*>& results) override;

  const Matrix& GetProjection() const { return m_projection; }

private:
  Point3 Forward(const Point3& p) const;
  Point3 Backward(const Point3& p) const;

  Matrix m_projection;
  // The draw pass converts every object's position each frame; with the identity there is nothing to do.
  bool m_projectionIsIdentity;
};

}  // namespace Qel
