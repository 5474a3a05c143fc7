// A point that runs along the top of a circle under the mouse, and the heading out of the circle there.
#pragma once

#include <cstdint>

#include "core/Point2.h"

class CircularMotionPath {
public:
  virtual ~CircularMotionPath() = default;

  // The point starts at the top of the circle.
  virtual void Set(Qel::Point2 center, int32_t radius, uint32_t halfWidth);
  // Follows the mouse of the display; without a display the point stays.
  virtual void TrackCursor();
  // The outward heading at the point: 360 less the angle of its cosine, in whole degrees; 270 (up)
  // when the point lies beyond the circle or the radius is 0.
  virtual int32_t GetAngle() const;
  // The mini-games' name for the throw heading.
  int32_t GetNormalHeading() const { return GetAngle(); }

  // x follows the mouse within the centre's x +- the half width, y is on the circle at that x (the
  // centre's height when the circle does not reach so far).
  void TrackCursor(Qel::Point2 mouse);

  // Rounded to the nearest pixel.
  int32_t GetX() const;
  int32_t GetY() const;

private:
  Qel::Point2 m_center{50, 50};
  int32_t m_radius = 0;
  uint32_t m_halfWidth = 0;
  float m_x = 0.0f;
  float m_y = 0.0f;
};
