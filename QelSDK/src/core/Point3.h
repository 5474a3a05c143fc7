// A scene position: screen x and y with a depth z.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "core/WrappingInt.h"

namespace Qel {

class Point3 {
public:
  constexpr Point3() = default;
  constexpr Point3(int32_t x, int32_t y, int32_t z) : m_x(x), m_y(y), m_z(z) {}
  constexpr Point3(const Point2& p, int32_t z) : m_x(p.X()), m_y(p.Y()), m_z(z) {}

  constexpr void Set(int32_t x, int32_t y, int32_t z) {
    m_x = x;
    m_y = y;
    m_z = z;
  }

  constexpr int32_t X() const { return m_x; }
  constexpr int32_t Y() const { return m_y; }
  constexpr int32_t Z() const { return m_z; }

  constexpr Point3& operator+=(const Point3& d) {
    m_x = WrapAdd(m_x, d.m_x);
    m_y = WrapAdd(m_y, d.m_y);
    m_z = WrapAdd(m_z, d.m_z);
    return *this;
  }
  constexpr Point3& operator-=(const Point3& d) {
    m_x = WrapSub(m_x, d.m_x);
    m_y = WrapSub(m_y, d.m_y);
    m_z = WrapSub(m_z, d.m_z);
    return *this;
  }

  constexpr bool operator==(const Point3&) const = default;

private:
  int32_t m_x = 0;
  int32_t m_y = 0;
  int32_t m_z = 0;
};

constexpr Point3 operator+(Point3 a, const Point3& b) {
  return a += b;
}
constexpr Point3 operator-(Point3 a, const Point3& b) {
  return a -= b;
}

}  // namespace Qel
