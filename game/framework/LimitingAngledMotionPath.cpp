// Straight motion that turns back when the object it moves leaves a band of x values.
#include "framework/LimitingAngledMotionPath.h"

bool LimitingAngledMotionPath::StepWithinLimits(Qel::Point2 object) {
  const bool outside = object.X() < m_minX || object.X() > m_maxX;
  if (outside) SetAngle((GetHeading() + 180) % 360);
  Step();
  return outside;
}
