// A screen or mouse position in whole pixels.
#pragma once

#include <cstdint>

#include "core/WrappingInt.h"

namespace Qel {

class Point2 {
public:
  constexpr Point2() = default;
  constexpr Point2(int32_t x, int32_t y) : m_x(x), m_y(y) {}

  constexpr void Set(int32_t x, int32_t y) {
    m_x = x;
    m_y = y;
  }

  constexpr int32_t X() const { return m_x; }
  constexpr int32_t Y() const { return m_y; }

  constexpr Point2& operator+=(const Point2& d) {
    m_x = WrapAdd(m_x, d.m_x);
    m_y = WrapAdd(m_y, d.m_y);
    return *this;
  }
  constexpr Point2& operator-=(const Point2& d) {
    m_x = WrapSub(m_x, d.m_x);
    m_y = WrapSub(m_y, d.m_y);
    return *this;
  }

  constexpr bool operator==(const Point2&) const = default;

private:
  int32_t m_x = 0;
  int32_t m_y = 0;
};

constexpr Point2 operator+(Point2 a, const Point2& b) {
  return a += b;
}
constexpr Point2 operator-(Point2 a, const Point2& b) {
  return a -= b;
}

}  // namespace Qel
