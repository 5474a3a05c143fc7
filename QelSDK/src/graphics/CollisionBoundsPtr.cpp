// An owning pointer to a collision shape that copies by cloning.
#include "graphics/CollisionBoundsPtr.h"

#include "graphics/CollisionBox.h"

namespace Qel {

CollisionBoundsPtr::CollisionBoundsPtr(const CollisionBoundsPtr& other)
    : m_descriptor(other.m_descriptor ? other.m_descriptor->Clone() : nullptr) {}

CollisionBoundsPtr& CollisionBoundsPtr::operator=(const CollisionBoundsPtr& other) {
  if (&other != this) m_descriptor.reset(other.m_descriptor ? other.m_descriptor->Clone() : nullptr);
  return *this;
}

void CollisionBoundsPtr::Offset(const Point3& by) {
  if (m_descriptor) m_descriptor->Offset(by);
}

void CollisionBoundsPtr::ResetToBox(const Box3& box, float angle) {
  m_descriptor = std::make_unique<CollisionBox>(box, angle);
}

CollisionBoundsPtr CollisionBoundsPtr::MovedBy(const Point3& by) const {
  CollisionBoundsPtr moved(*this);
  moved.Offset(by);
  return moved;
}

bool CollisionBoundsPtr::Intersects(const CollisionBoundsPtr& other) const {
  if (!m_descriptor || !other.m_descriptor) return false;
  return m_descriptor->Intersects(*other.m_descriptor);
}

}  // namespace Qel
