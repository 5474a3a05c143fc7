// A point that runs along the top of a circle under the mouse, and the heading out of the circle there.
#include "framework/CircularMotionPath.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "framework/MainApp.h"
#include "framework/MotionMath.h"
#include "graphics/DisplayDevice.h"

namespace {

// The height above the centre at a distance from it; a distance beyond the radius gives 0 rather
// than the root of a negative number.
double HeightAt(double radius, double distance) {
  const double square = radius * radius - distance * distance;
  return std::sqrt(square > 0.0 ? square : 0.0);
}

}  // namespace

void CircularMotionPath::Set(Qel::Point2 center, int32_t radius, uint32_t halfWidth) {
  m_center = center;
  m_radius = radius;
  m_halfWidth = halfWidth;
  m_x = static_cast<float>(center.X());
  m_y = static_cast<float>(static_cast<double>(center.Y()) - radius);
}

void CircularMotionPath::TrackCursor() {
  if (Qel::DisplayDevice* display = GetApp().GetDisplay()) TrackCursor(display->GetMousePosition());
}

void CircularMotionPath::TrackCursor(Qel::Point2 mouse) {
  const int64_t cx = m_center.X();
  const int64_t d = std::llabs(cx - mouse.X());
  const double cy = m_center.Y();
  if (d <= static_cast<int64_t>(m_halfWidth)) {
    m_x = static_cast<float>(mouse.X());
    m_y = static_cast<float>(cy - HeightAt(m_radius, static_cast<double>(d)));
  } else {
    const int64_t x = cx >= mouse.X() ? cx - m_halfWidth : cx + m_halfWidth;
    m_x = static_cast<float>(x);
    m_y = static_cast<float>(cy - HeightAt(m_radius, m_halfWidth));
  }
}

int32_t CircularMotionPath::GetAngle() const {
  const std::optional<int32_t> a =
      Motion::AcosDegrees(static_cast<double>(m_x) - m_center.X(), static_cast<double>(m_radius));
  return a ? 360 - *a : 270;
}

int32_t CircularMotionPath::GetX() const {
  return Motion::TruncateToInt(static_cast<double>(m_x) + 0.5);
}

int32_t CircularMotionPath::GetY() const {
  return Motion::TruncateToInt(static_cast<double>(m_y) + 0.5);
}
