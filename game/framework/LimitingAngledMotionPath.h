// Straight motion that turns back when the object it moves leaves a band of x values.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "framework/AngularMotionPath.h"

class LimitingAngledMotionPath : public AngularMotionPath {
public:
  ~LimitingAngledMotionPath() override = default;

  // Within minX..maxX (inclusive) the path steps and the answer is false; outside it the heading
  // turns by 180 first and the answer is true. Only the object's x is read.
  virtual bool StepWithinLimits(Qel::Point2 object);

  // 0 and 800 at first.
  void SetLimits(int32_t minX, int32_t maxX) {
    m_minX = minX;
    m_maxX = maxX;
  }

private:
  int32_t m_minX = 0;
  int32_t m_maxX = 800;
};
