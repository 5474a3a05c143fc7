// Whole-degree angle arithmetic shared by the deflectors and motion paths.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace Motion {

// Pi taken as 3.1415926535 in both, so headings come out as the game has always computed them.
inline constexpr double kDegToRad = 0.017453292519444445;
inline constexpr double kRadToDeg = 57.29577951471995;

// A remainder brought into 0..359, taken in 64 bits so that no heading overflows on the way.
constexpr int32_t WrapDegrees(int64_t degrees) {
  const int64_t r = degrees % 360;
  return static_cast<int32_t>(r < 0 ? r + 360 : r);
}

// Truncation toward zero that never leaves int32's range; NaN gives 0. Positions come from float
// geometry, and a cast of a value outside the range would be undefined.
inline int32_t TruncateToInt(double v) {
  if (!(v == v)) return 0;
  if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

// acos(dx / radius) in whole degrees (truncated), with dx 0 read as a cosine of 0 whatever the radius.
// None when the cosine lies outside -1..1 (a point beyond the circle, a radius of 0 or NaN): the
// callers then take their out-of-range heading instead of converting a NaN.
inline std::optional<int32_t> AcosDegrees(double dx, double radius) {
  double c = 0.0;
  if (dx != 0.0) {
    if (!(std::fabs(dx) <= std::fabs(radius))) return std::nullopt;
    c = dx / radius;
  }
  return static_cast<int32_t>(std::acos(c) * kRadToDeg);
}

}  // namespace Motion
