// A rectangle that answers whether a point lies strictly inside it.
#pragma once

#include "core/Point2.h"

class TzRect {
public:
  virtual ~TzRect() = default;

  // Always true.
  virtual bool Set(Qel::Point2 position, Qel::Point2 size);
  // Strict on all four edges: a point on an edge is outside.
  virtual bool Contains(Qel::Point2 point) const;

  Qel::Point2 GetPosition() const { return m_position; }
  Qel::Point2 GetSize() const { return m_size; }

protected:
  // The drawing offset is added to the position in the test; nothing sets it yet, so it stays (0, 0).
  Qel::Point2 m_offset;
  Qel::Point2 m_position;
  Qel::Point2 m_size;
};
