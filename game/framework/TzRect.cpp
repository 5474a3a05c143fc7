// A rectangle that answers whether a point lies strictly inside it.
#include "framework/TzRect.h"

#include <cstdint>

bool TzRect::Set(Qel::Point2 position, Qel::Point2 size) {
  m_position = position;
  m_size = size;
  return true;
}

bool TzRect::Contains(Qel::Point2 point) const {
  // In 64 bits, so a rectangle near int32's end does not wrap round to the other side.
  const int64_t left = static_cast<int64_t>(m_offset.X()) + m_position.X();
  const int64_t top = static_cast<int64_t>(m_offset.Y()) + m_position.Y();
  return left < point.X() && point.X() < left + m_size.X() && top < point.Y() && point.Y() < top + m_size.Y();
}
