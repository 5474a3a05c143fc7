// A collision shape that is a box, optionally turned about the z axis.
#pragma once

#include "core/Box3.h"
#include "core/Point3.h"
#include "graphics/CollisionBoundsDescriptor.h"

namespace Qel {

class CollisionBox : public CollisionBoundsDescriptor {
public:
  static constexpr int kType = 1;

  CollisionBox(const Box3& box, float angle);

  CollisionBoundsDescriptor* Clone() const override;
  int GetType() const override { return kType; }

  bool Equals(const CollisionBoundsDescriptor& other) const override;
  // The angles are not compared.
  bool EqualsBox(const CollisionBox& box) const override;

  void Clear() override;
  void GetBounds(Box3& out) const override;
  void Offset(const Point3& by) override;

  bool Intersects(const CollisionBoundsDescriptor& other) const override;
  bool IntersectsAlignedBox(const Box3& aligned) const override;
  bool IntersectsBox(const CollisionBox& box) const override;

  const Box3& GetBox() const { return m_box; }
  // Radians about the z axis; 0 is an axis-aligned box.
  float GetAngle() const { return m_angle; }

private:
  Box3 m_box;
  float m_angle;
};

}  // namespace Qel
