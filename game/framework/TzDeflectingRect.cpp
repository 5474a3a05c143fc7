// A rectangle one of whose sides turns a ball back out: the new heading leaves that side.
#include "framework/TzDeflectingRect.h"

#include <algorithm>
#include <cstdlib>

#include "core/WrappingInt.h"
#include "framework/MotionMath.h"
#include "platform/win/kernel/Random.h"

namespace {

// Degrees between two headings the short way round.
int32_t CircularDistance(int32_t a, int32_t b) {
  return std::min(Motion::WrapDegrees(static_cast<int64_t>(a) - b),
                  Motion::WrapDegrees(static_cast<int64_t>(b) - a));
}

}  // namespace

bool TzDeflectingRect::Contains(Qel::Point2 point) const {
  return TzRect::Contains(point);
}

bool TzDeflectingRect::SetWithSide(Qel::Point2 position, Qel::Point2 size, int32_t sideCode) {
  TzRect::Set(position, size);
  constexpr int32_t kSides[] = {90, 270, 180, 360};
  if (sideCode >= 0 && sideCode < 4) m_side = kSides[sideCode];
  return true;
}

int32_t TzDeflectingRect::Deflect(int32_t heading) {
  if (heading < 0 || heading > 360) return 0;
  return DeflectWithOffset(heading, OffsetFromDraw(plat::win::rand()));
}

int32_t TzDeflectingRect::OffsetFromDraw(int32_t draw) {
  return static_cast<int32_t>(static_cast<double>(draw) / plat::win::RAND_MAX_15 * 10.0 - 5.0 + 0.5);
}

int32_t TzDeflectingRect::DeflectWithOffset(int32_t heading, int32_t offset) const {
  if (heading < 0 || heading > 360) return 0;
  const int32_t reversed = (heading + 180) % 360;
  // In 64 bits, so that no offset overflows; every path below ends within 0..360.
  int64_t out = ((2 * m_side - reversed) % 360) + static_cast<int64_t>(offset);

  // The band of headings that would run back into the rectangle, from 6 degrees past one direction
  // along the side to 6 degrees short of the other; the closer end wins.
  const int32_t a = (m_side + 84) % 360;
  const int32_t b = (m_side + 276) % 360;
  const int32_t lo = (m_side + 90) % 360;
  const int32_t hi = (m_side + 270) % 360;
  // The right side's band does not wrap past 0, and its second band catches the -4..-1 and 360..364
  // the offset can make, so its headings come out as they always have.
  if (m_side == 360) {
    if (a < out && out < b) out = std::llabs(out - lo) < std::llabs(out - hi) ? a : b;
    const int32_t c = (m_side + 353) % 360;
    const int32_t d = (m_side + 7) % 360;
    if (out > c || out < d) out = std::llabs(out - c) < std::llabs(out - d) ? c : d;
    return static_cast<int32_t>(out);
  }

  // The other bands wrap past 0, so they are tested around the circle on a heading within 0..359.
  int32_t wrapped = Motion::WrapDegrees(out);
  const int32_t intoBand = Motion::WrapDegrees(static_cast<int64_t>(wrapped) - a);
  const int32_t bandWidth = Motion::WrapDegrees(static_cast<int64_t>(b) - a);
  if (0 < intoBand && intoBand < bandWidth) {
    wrapped = CircularDistance(wrapped, lo) < CircularDistance(wrapped, hi) ? a : b;
  }
  if (m_side == 180) {
    // 7 degrees off the normal itself, as on the right side.
    const int32_t c = (m_side + 353) % 360;
    const int32_t d = (m_side + 7) % 360;
    if (c < wrapped && wrapped < d) wrapped = std::abs(wrapped - c) < std::abs(wrapped - d) ? c : d;
  }
  return wrapped;
}

Qel::Point2 TzDeflectingRect::GetEdgePoint(Qel::Point2 point) const {
  switch (m_side) {
    case 360:
      return {Qel::WrapAdd(m_position.X(), m_size.X()), point.Y()};
    case 270:
      return {point.X(), m_position.Y()};
    case 90:
      return {point.X(), Qel::WrapAdd(m_position.Y(), m_size.Y())};
    case 180:
      return {m_position.X(), point.Y()};
    default:
      return point;
  }
}
