// Straight motion at a whole-degree heading, one step per call or at a speed in pixels per second.
#pragma once

#include <cstdint>

class AngularMotionPath {
public:
  virtual ~AngularMotionPath() = default;

  // Nothing while the heading is outside 0..360. Time-based, the moves follow the game clock and
  // each axis moves at most 20 pixels a step; the first step after a reset of the step clock only
  // takes the time.
  virtual void Step();

  // Ignored outside 0..360.
  void SetAngle(int32_t heading);
  int32_t GetHeading() const { return m_heading; }
  // 1 while the heading points right or straight up or down (up to 90, from 270 on), else -1.
  int32_t GetHorizontalDirection() const;

  void SetTimeBased(bool timeBased) { m_timeBased = timeBased; }
  bool IsTimeBased() const { return m_timeBased; }
  // The next time-based step then only takes the time.
  void ResetStepClock() { m_lastTime = kNoTime; }
  // Pixels per step, or per second when time-based.
  void SetSpeed(float speed) { m_speed = speed; }
  float GetSpeed() const { return m_speed; }
  void SetPosition(float x, float y) {
    m_x = x;
    m_y = y;
  }
  // Truncated toward zero.
  int32_t GetX() const;
  int32_t GetY() const;

private:
  static constexpr int32_t kNoTime = -1;

  int32_t m_heading = 0;

  bool m_timeBased = false;
  int32_t m_lastTime = kNoTime;
  float m_speed = 4.0f;
  float m_x = 0.0f;
  float m_y = 0.0f;
};
