// An owning pointer to a collision shape that copies by cloning, so shapes behave as values.
#pragma once

#include <memory>

#include "core/Box3.h"
#include "core/Point3.h"
#include "graphics/CollisionBoundsDescriptor.h"

namespace Qel {

class CollisionBoundsPtr {
public:
  CollisionBoundsPtr() = default;
  // Takes ownership.
  explicit CollisionBoundsPtr(CollisionBoundsDescriptor* descriptor) : m_descriptor(descriptor) {}
  CollisionBoundsPtr(const CollisionBoundsPtr& other);
  CollisionBoundsPtr& operator=(const CollisionBoundsPtr& other);
  CollisionBoundsPtr(CollisionBoundsPtr&&) noexcept = default;
  CollisionBoundsPtr& operator=(CollisionBoundsPtr&&) noexcept = default;
  ~CollisionBoundsPtr() = default;

  bool IsEmpty() const { return m_descriptor == nullptr; }
  const CollisionBoundsDescriptor* Get() const { return m_descriptor.get(); }
  CollisionBoundsDescriptor* Get() { return m_descriptor.get(); }

  // No effect when empty.
  void Offset(const Point3& by);
  void ResetToBox(const Box3& box, float angle);
  // A moved clone; empty stays empty.
  CollisionBoundsPtr MovedBy(const Point3& by) const;

  // False when either shape is missing.
  bool Intersects(const CollisionBoundsPtr& other) const;

private:
  std::unique_ptr<CollisionBoundsDescriptor> m_descriptor;
};

}  // namespace Qel
