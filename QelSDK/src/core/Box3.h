// The bounds of a scene object between a minimum and a maximum corner, used for drawing and hit tests.
#pragma once

#include <cstdint>

#include "core/Point3.h"
#include "core/Rect.h"

namespace Qel {

class Box3 {
public:
  constexpr Box3() = default;
  constexpr Box3(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2)
      : m_min(x1, y1, z1), m_max(x2, y2, z2) {}

  constexpr Box3& operator+=(const Point3& d) {
    m_min += d;
    m_max += d;
    return *this;
  }
  constexpr Box3& operator-=(const Point3& d) {
    m_min -= d;
    m_max -= d;
    return *this;
  }

  constexpr bool operator==(const Box3&) const = default;

  constexpr void Set(int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2) {
    m_min.Set(x1, y1, z1);
    m_max.Set(x2, y2, z2);
  }

  constexpr const Point3& Min() const { return m_min; }
  constexpr const Point3& Max() const { return m_max; }

  constexpr int32_t Width() const { return WrapSub(m_max.X(), m_min.X()); }
  constexpr int32_t Height() const { return WrapSub(m_max.Y(), m_min.Y()); }
  constexpr int32_t Depth() const { return WrapSub(m_max.Z(), m_min.Z()); }

  constexpr void Clear() { *this = Box3(); }
  constexpr void Collapse() { m_max = m_min; }
  constexpr bool IsEmpty() const { return m_min == m_max; }

  // Half-open on every axis: the maximum corner lies outside the box.
  bool Contains(const Point3& p) const;

  // Union. An empty box takes the other whole; the other is used as it stands, even when empty.
  Box3& operator|=(const Box3& other);

  // The x and y extents; depth is dropped.
  constexpr Rect ToRect() const { return Rect(m_min.X(), m_min.Y(), m_max.X(), m_max.Y()); }

  // The overlap of a and b; collapsed only when it is inverted on some axis, so boxes that share a
  // face give a flat box that is not collapsed. out may be a or b.
  static void Intersect(const Box3& a, const Box3& b, Box3& out);

private:
  Point3 m_min;
  Point3 m_max;
};

constexpr Box3 operator-(Box3 box, const Point3& d) {
  return box -= d;
}

Box3 operator&(const Box3& a, const Box3& b);

}  // namespace Qel
