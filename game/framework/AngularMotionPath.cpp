// Straight motion at a whole-degree heading, one step per call or at a speed in pixels per second.
#include "framework/AngularMotionPath.h"

#include <algorithm>
#include <cmath>

#include "framework/GameClock.h"
#include "framework/MotionMath.h"

namespace {

// A slow frame must not throw the ball through a wall.
constexpr double kMaxTimedMove = 20.0;

}  // namespace

void AngularMotionPath::Step() {
  if (m_heading < 0 || m_heading > 360) return;
  const double radians = m_heading * Motion::kDegToRad;
  const double dx = std::cos(radians) * m_speed;
  const double dy = std::sin(radians) * m_speed;
  if (!m_timeBased) {
    m_x = static_cast<float>(m_x + dx);
    m_y = static_cast<float>(m_y + dy);
    return;
  }
  const uint32_t now = GameClock::Instance().GetTime();
  if (m_lastTime == kNoTime) m_lastTime = static_cast<int32_t>(now);
  // The difference is taken in unsigned arithmetic and read as signed, so the clock's wrap neither
  // overflows nor turns into a huge step.
  const int32_t elapsed = static_cast<int32_t>(now - static_cast<uint32_t>(m_lastTime));
  if (elapsed <= 0) return;
  m_lastTime = static_cast<int32_t>(now);
  m_x = static_cast<float>(m_x + std::clamp(elapsed * dx * 0.001, -kMaxTimedMove, kMaxTimedMove));
  m_y = static_cast<float>(m_y + std::clamp(elapsed * dy * 0.001, -kMaxTimedMove, kMaxTimedMove));
}

void AngularMotionPath::SetAngle(int32_t heading) {
  if (heading >= 0 && heading <= 360) m_heading = heading;
}

int32_t AngularMotionPath::GetHorizontalDirection() const {
  return m_heading <= 90 || m_heading >= 270 ? 1 : -1;
}

int32_t AngularMotionPath::GetX() const {
  return Motion::TruncateToInt(m_x);
}

int32_t AngularMotionPath::GetY() const {
  return Motion::TruncateToInt(m_y);
}
