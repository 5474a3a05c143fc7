// A circle that turns a ball back out, and the points around it where a bounced ball is put.
#pragma once

#include <cstdint>

#include "core/Point2.h"

class TzDeflectingSphere {
public:
  virtual ~TzDeflectingSphere() = default;

  // Always true.
  virtual bool Set(Qel::Point2 center, float radius);
  // The heading mirrored at the contact point (x, y); `normal` receives the contact angle turned by
  // 180. A contact whose cosine lies outside -1..1 (beyond the circle, or a radius of 0) sends the
  // ball straight back. The result lies within 0..359.
  virtual int32_t Deflect(int32_t heading, int32_t x, int32_t y, int32_t& normal);
  // Strictly within the radius: a point at the radius is outside.
  virtual bool Contains(Qel::Point2 point) const;
  // Inside and above the centre: only the upper half of the circle is hit.
  virtual bool TestHit(Qel::Point2 point) const;

  // Where GetPointAtAngle clamps its points; (0, 0) to (800, 600) at first.
  void SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // The centre less the radius, truncated toward zero.
  Qel::Point2 GetTopLeft() const;
  Qel::Point2 GetCenter() const { return m_center; }
  float GetRadius() const { return m_radius; }
  // The point on the circle at a heading, pushed 3 pixels further out in x and 2 in y, so that a ball
  // put there is clear of the circle, then clamped to the bounds.
  Qel::Point2 GetPointAtAngle(int32_t degrees) const;

private:
  Qel::Point2 m_center;
  float m_radius = 0.0f;
  int32_t m_left = 0;
  int32_t m_top = 0;
  int32_t m_right = 800;
  int32_t m_bottom = 600;
};
