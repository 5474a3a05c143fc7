// A collision shape in some frame of reference; shapes meet by double dispatch.
#pragma once

#include "core/Box3.h"
#include "core/Point3.h"

namespace Qel {

class CollisionBox;

class CollisionBoundsDescriptor {
public:
  CollisionBoundsDescriptor() = default;
  virtual ~CollisionBoundsDescriptor() = default;
  CollisionBoundsDescriptor(const CollisionBoundsDescriptor&) = default;
  CollisionBoundsDescriptor& operator=(const CollisionBoundsDescriptor&) = default;

  // A new shape owned by the caller.
  virtual CollisionBoundsDescriptor* Clone() const = 0;
  virtual int GetType() const = 0;

  virtual bool Equals(const CollisionBoundsDescriptor& other) const = 0;
  virtual bool EqualsBox(const CollisionBox& box) const = 0;

  virtual void Clear() = 0;
  virtual void GetBounds(Box3& out) const = 0;
  virtual void Offset(const Point3& by) = 0;

  virtual bool Intersects(const CollisionBoundsDescriptor& other) const = 0;
  virtual bool IntersectsAlignedBox(const Box3& aligned) const = 0;
  virtual bool IntersectsBox(const CollisionBox& box) const = 0;
};

}  // namespace Qel
