// The hub's hover areas: a rectangle of the panorama or of the screen, the button it speaks about and
// whether it has spoken during this visit.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "core/Rect.h"

class HubHotspot {
public:
  // The targets of the buttons fixed to the screen, whose areas are screen coordinates; every other
  // target is the node id of a game, and its area lies in the panorama.
  static constexpr int32_t kProgressTarget = 100;
  static constexpr int32_t kMovieTarget = 101;
  static constexpr int32_t kBackTarget = 102;

  HubHotspot(const Qel::Rect& area, int32_t target) : m_area(area), m_target(target) {}
  virtual ~HubHotspot();

  // Edges included.
  bool Contains(const Qel::Point2& point) const { return m_area.Contains(point); }
  // Whether the screen point or the panorama point is the one to test for this area.
  bool IsScreenFixed() const {
    return m_target == kProgressTarget || m_target == kMovieTarget || m_target == kBackTarget;
  }

  const Qel::Rect& GetArea() const { return m_area; }
  int32_t GetTarget() const { return m_target; }
  bool HasSpoken() const { return m_spoken; }
  void MarkSpoken() { m_spoken = true; }

private:
  Qel::Rect m_area;
  int32_t m_target;
  bool m_spoken = false;
};
