// A collision shape that is a box, optionally turned about the z axis.
#include "graphics/CollisionBox.h"

#include <array>
#include <cmath>

namespace Qel {

namespace {

struct Vector3 {
  float x, y, z;
};

constexpr float Dot(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

constexpr Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A box as the separating-axis test sees it: a centre, three unit axes and the half-extents along them.
struct OrientedBox {
  OrientedBox(const Box3& box, float angle) {
    m_halfExtents = {static_cast<float>(box.Width()) * 0.5f, static_cast<float>(box.Height()) * 0.5f,
                     static_cast<float>(box.Depth()) * 0.5f};
    m_centre = {static_cast<float>(box.Min().X()) + m_halfExtents[0],
                static_cast<float>(box.Min().Y()) + m_halfExtents[1],
                static_cast<float>(box.Min().Z()) + m_halfExtents[2]};
    // The box's own axes are the columns of the rotation about z (cos -sin / sin cos).
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    m_axes = {Vector3{c, s, 0.0f}, Vector3{-s, c, 0.0f}, Vector3{0.0f, 0.0f, 1.0f}};
  }

  float ProjectedRadius(const Vector3& axis) const {
    float radius = 0.0f;
    for (int i = 0; i < 3; ++i) radius += std::fabs(m_halfExtents[i] * Dot(m_axes[i], axis));
    return radius;
  }

  Vector3 m_centre;
  std::array<Vector3, 3> m_axes;
  std::array<float, 3> m_halfExtents;
};

// Fifteen candidate axes: each box's three and their nine cross products. A cross product of
// parallel axes is zero, and a zero axis separates nothing, so it needs no special case.
bool OrientedBoxesIntersect(const OrientedBox& a, const OrientedBox& b) {
  const Vector3 between{b.m_centre.x - a.m_centre.x, b.m_centre.y - a.m_centre.y,
                        b.m_centre.z - a.m_centre.z};
  auto separates = [&](const Vector3& axis) {
    return std::fabs(Dot(between, axis)) > a.ProjectedRadius(axis) + b.ProjectedRadius(axis);
  };
  for (const Vector3& axis : a.m_axes) {
    if (separates(axis)) return false;
  }
  for (const Vector3& axis : b.m_axes) {
    if (separates(axis)) return false;
  }
  for (const Vector3& axisA : a.m_axes) {
    for (const Vector3& axisB : b.m_axes) {
      if (separates(Cross(axisA, axisB))) return false;
    }
  }
  return true;
}

// Boxes that share a face overlap; boxes that meet in one corner point do not.
bool AlignedBoxesIntersect(const Box3& a, const Box3& b) {
  return !(a & b).IsEmpty();
}

bool AlignedAgainst(const Box3& aligned, const CollisionBox& box) {
  if (box.GetAngle() == 0.0f) return AlignedBoxesIntersect(aligned, box.GetBox());
  return OrientedBoxesIntersect(OrientedBox(aligned, 0.0f), OrientedBox(box.GetBox(), box.GetAngle()));
}

}  // namespace

CollisionBox::CollisionBox(const Box3& box, float angle) : m_box(box), m_angle(angle) {}

CollisionBoundsDescriptor* CollisionBox::Clone() const {
  return new CollisionBox(m_box, m_angle);
}

bool CollisionBox::Equals(const CollisionBoundsDescriptor& other) const {
  if (&other == this) return true;
  return other.EqualsBox(*this);
}

bool CollisionBox::EqualsBox(const CollisionBox& box) const {
  return m_box == box.m_box;
}

void CollisionBox::Clear() {
  m_box.Clear();
}

void CollisionBox::GetBounds(Box3& out) const {
  out = m_box;
}

void CollisionBox::Offset(const Point3& by) {
  m_box += by;
}

bool CollisionBox::Intersects(const CollisionBoundsDescriptor& other) const {
  return other.IntersectsBox(*this);
}

bool CollisionBox::IntersectsAlignedBox(const Box3& aligned) const {
  return AlignedAgainst(aligned, *this);
}

bool CollisionBox::IntersectsBox(const CollisionBox& box) const {
  if (m_angle == 0.0f) return AlignedAgainst(m_box, box);
  if (box.m_angle == 0.0f) return AlignedAgainst(box.m_box, *this);
  return OrientedBoxesIntersect(OrientedBox(m_box, m_angle), OrientedBox(box.m_box, box.m_angle));
}

}  // namespace Qel
