// A screen rectangle between its top-left corner and its far (bottom-right) edges.
#pragma once

#include <cstdint>

#include "core/Point2.h"

namespace Qel {

class Rect {
public:
  constexpr Rect() = default;
  constexpr Rect(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : m_topLeft(left, top), m_bottomRight(right, bottom) {}
  constexpr Rect(const Point2& topLeft, const Point2& bottomRight)
      : m_topLeft(topLeft), m_bottomRight(bottomRight) {}

  // Both move the rectangle in place and hand back a copy of the result.
  Rect operator+=(const Point2& d);
  Rect operator-=(const Point2& d);

  constexpr bool operator==(const Rect&) const = default;

  constexpr void Set(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    m_topLeft.Set(left, top);
    m_bottomRight.Set(right, bottom);
  }
  constexpr void SetWidth(int32_t w) { m_bottomRight.Set(WrapAdd(Left(), w), Bottom()); }
  constexpr void SetHeight(int32_t h) { m_bottomRight.Set(Right(), WrapAdd(Top(), h)); }

  constexpr int32_t Left() const { return m_topLeft.X(); }
  constexpr int32_t Top() const { return m_topLeft.Y(); }
  constexpr int32_t Right() const { return m_bottomRight.X(); }
  constexpr int32_t Bottom() const { return m_bottomRight.Y(); }
  constexpr const Point2& TopLeft() const { return m_topLeft; }
  constexpr const Point2& BottomRight() const { return m_bottomRight; }

  // Signed: a rectangle whose far edge lies before its near edge has a negative extent.
  constexpr int32_t Width() const { return WrapSub(Right(), Left()); }
  constexpr int32_t Height() const { return WrapSub(Bottom(), Top()); }

  constexpr void Clear() { *this = Rect(); }
  // Empty, at the top-left corner.
  constexpr void Collapse() { m_bottomRight = m_topLeft; }
  // Only both extents zero make a rectangle empty; a line of zero width still counts.
  constexpr bool IsEmpty() const { return m_topLeft == m_bottomRight; }

  // Union. An empty rectangle takes the other whole; the other is used as it stands, even when empty.
  Rect& operator|=(const Rect& other);

  // All four edges inclusive.
  bool Contains(const Point2& p) const;

  // The overlap of a and b; collapsed unless it has a positive width and height, so rectangles that
  // only touch give an empty result. out may be a or b.
  static void Intersect(const Rect& a, const Rect& b, Rect& out);

private:
  Point2 m_topLeft;
  Point2 m_bottomRight;
};

Rect operator&(const Rect& a, const Rect& b);

}  // namespace Qel
