// A circle that turns a ball back out, and the points around it where a bounced ball is put.
#include "framework/TzDeflectingSphere.h"

#include <cmath>
#include <optional>

#include "framework/MotionMath.h"

bool TzDeflectingSphere::Set(Qel::Point2 center, float radius) {
  m_center = center;
  m_radius = radius;
  return true;
}

int32_t TzDeflectingSphere::Deflect(int32_t heading, int32_t x, int32_t y, int32_t& normal) {
  // In 64 bits: a heading is only ever 0..360 here, but a wild one must not overflow.
  const int32_t reversed = Motion::WrapDegrees(static_cast<int64_t>(heading) + 180);
  const std::optional<int32_t> contact =
      Motion::AcosDegrees(static_cast<double>(x) - m_center.X(), static_cast<double>(m_radius));
  int32_t angle = reversed;
  if (contact) {
    angle = *contact;
    if (y < m_center.Y()) {
      angle = 360 - angle;
    } else if (y > m_center.Y()) {
      angle = (angle + 180) % 360;
    }
  }
  normal = (angle + 180) % 360;
  // On the horizontal through the centre the mirror can come out below 0; it is the same direction
  // brought into 0..359, which the motion paths accept.
  return Motion::WrapDegrees(2 * static_cast<int64_t>(angle) - reversed);
}

bool TzDeflectingSphere::Contains(Qel::Point2 point) const {
  const double dx = static_cast<double>(point.X()) - m_center.X();
  const double dy = static_cast<double>(point.Y()) - m_center.Y();
  const double r = m_radius;
  return r > 0.0 && dx * dx + dy * dy < r * r;
}

bool TzDeflectingSphere::TestHit(Qel::Point2 point) const {
  return Contains(point) && point.Y() < m_center.Y();
}

void TzDeflectingSphere::SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  m_left = left;
  m_top = top;
  m_right = right;
  m_bottom = bottom;
}

Qel::Point2 TzDeflectingSphere::GetTopLeft() const {
  return {Motion::TruncateToInt(static_cast<double>(m_center.X()) - m_radius),
          Motion::TruncateToInt(static_cast<double>(m_center.Y()) - m_radius)};
}

Qel::Point2 TzDeflectingSphere::GetPointAtAngle(int32_t degrees) const {
  const double radians = degrees * Motion::kDegToRad;
  const double across = std::cos(radians) * m_radius;
  const double down = std::sin(radians) * m_radius;
  double px = m_center.X() + (across < 0.0 ? across - 3.0 : across + 3.0);
  double py = m_center.Y() + (down < 0.0 ? down - 2.0 : down + 2.0);
  // fmax before fmin: a NaN from a NaN radius ends at the left or top bound, not in the cast.
  px = std::fmin(std::fmax(px, static_cast<double>(m_left)), static_cast<double>(m_right));
  py = std::fmin(std::fmax(py, static_cast<double>(m_top)), static_cast<double>(m_bottom));
  return {Motion::TruncateToInt(px), Motion::TruncateToInt(py)};
}
