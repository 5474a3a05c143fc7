// A rectangle one of whose sides turns a ball back out: the new heading leaves that side.
#pragma once

#include <cstdint>

#include "framework/TzRect.h"

class TzDeflectingRect : public TzRect {
public:
  ~TzDeflectingRect() override = default;

  bool Contains(Qel::Point2 point) const override;
  // Codes 0, 1, 2, 3 choose the sides whose outward normals are 90 (bottom), 270 (top), 180 (left)
  // and 360 (right); any other code keeps the side. Always true.
  virtual bool SetWithSide(Qel::Point2 position, Qel::Point2 size, int32_t sideCode);
  // The heading mirrored at the side with a random offset of -4..5 degrees, then kept 6 degrees off
  // the directions along the side (and, for the sides 180 and 360, 7 degrees off the normal itself).
  // A heading outside 0..360 gives 0.
  virtual int32_t Deflect(int32_t heading);

  // Deflect with its random offset given: what the draw of -4..5 turns into.
  int32_t DeflectWithOffset(int32_t heading, int32_t offset) const;
  // The offset a draw of the C runtime's rand (0..32767) gives.
  static int32_t OffsetFromDraw(int32_t draw);

  // The point moved onto the deflecting side; unchanged while no side is set.
  Qel::Point2 GetEdgePoint(Qel::Point2 point) const;
  int32_t GetSide() const { return m_side; }

private:
  int32_t m_side = 0;
};
