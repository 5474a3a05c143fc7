// Containment, union and intersection of scene boxes.
#include "core/Box3.h"

#include <algorithm>

namespace Qel {

bool Box3::Contains(const Point3& p) const {
  return m_min.X() <= p.X() && p.X() < m_max.X() && m_min.Y() <= p.Y() && p.Y() < m_max.Y() &&
         m_min.Z() <= p.Z() && p.Z() < m_max.Z();
}

Box3& Box3::operator|=(const Box3& other) {
  if (IsEmpty()) {
    *this = other;
    return *this;
  }
  Set(std::min(m_min.X(), other.m_min.X()), std::min(m_min.Y(), other.m_min.Y()),
      std::min(m_min.Z(), other.m_min.Z()), std::max(m_max.X(), other.m_max.X()),
      std::max(m_max.Y(), other.m_max.Y()), std::max(m_max.Z(), other.m_max.Z()));
  return *this;
}

void Box3::Intersect(const Box3& a, const Box3& b, Box3& out) {
  Box3 result(std::max(a.m_min.X(), b.m_min.X()), std::max(a.m_min.Y(), b.m_min.Y()),
              std::max(a.m_min.Z(), b.m_min.Z()), std::min(a.m_max.X(), b.m_max.X()),
              std::min(a.m_max.Y(), b.m_max.Y()), std::min(a.m_max.Z(), b.m_max.Z()));
  const bool ordered = result.m_min.X() <= result.m_max.X() && result.m_min.Y() <= result.m_max.Y() &&
                       result.m_min.Z() <= result.m_max.Z();
  if (!ordered) result.Collapse();
  out = result;
}

Box3 operator&(const Box3& a, const Box3& b) {
  Box3 result;
  Box3::Intersect(a, b, result);
  return result;
}

}  // namespace Qel
