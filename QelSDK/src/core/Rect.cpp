// Moving, union, containment and intersection of screen rectangles.
#include "core/Rect.h"

#include <algorithm>

namespace Qel {

Rect Rect::operator+=(const Point2& d) {
  m_topLeft += d;
  m_bottomRight += d;
  return *this;
}

Rect Rect::operator-=(const Point2& d) {
  m_topLeft -= d;
  m_bottomRight -= d;
  return *this;
}

Rect& Rect::operator|=(const Rect& other) {
  if (IsEmpty()) {
    *this = other;
    return *this;
  }
  Set(std::min(Left(), other.Left()), std::min(Top(), other.Top()), std::max(Right(), other.Right()),
      std::max(Bottom(), other.Bottom()));
  return *this;
}

bool Rect::Contains(const Point2& p) const {
  return Left() <= p.X() && p.X() <= Right() && Top() <= p.Y() && p.Y() <= Bottom();
}

void Rect::Intersect(const Rect& a, const Rect& b, Rect& out) {
  Rect result(std::max(a.Left(), b.Left()), std::max(a.Top(), b.Top()), std::min(a.Right(), b.Right()),
              std::min(a.Bottom(), b.Bottom()));
  if (!(result.Left() < result.Right() && result.Top() < result.Bottom())) result.Collapse();
  out = result;
}

Rect operator&(const Rect& a, const Rect& b) {
  Rect result;
  Rect::Intersect(a, b, result);
  return result;
}

}  // namespace Qel
