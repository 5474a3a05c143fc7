// A lip-sync track: which mouth shape a talking head shows at each moment of a spoken line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Stream.h"

// The file (little-endian): magic, entry count, milliseconds per entry (IEEE single), then one
// shape number per entry.
class LipSyncTrack {
public:
  static constexpr uint32_t kMagic = 0xF0000002u;
  // Entries of this value and above stand for shape 0.
  static constexpr uint8_t kShapeLimit = 31;

  // Reads a whole track from the stream's position. A stream that does not hold one leaves the
  // track empty and gives false: another magic, no entries, a time per entry that is not a finite
  // positive number, or fewer entry bytes than the count promises (a cut file must not play as a
  // track of zero shapes).
  bool Read(Qel::Stream& stream);
  // Why the last read gave no track, in words for a message; empty after a read that gave one.
  const std::string& GetFailure() const { return m_failure; }

  bool IsEmpty() const { return m_shapes.empty(); }
  uint32_t GetShapeCount() const { return static_cast<uint32_t>(m_shapes.size()); }
  float GetMsPerShape() const { return m_msPerShape; }

  // The shape for a play position: the nearest entry, the last one from the end on. 0 for an
  // empty track.
  int ShapeAt(uint32_t positionMs) const;

private:
  void Clear();

  float m_msPerShape = 1.0f;
  std::vector<uint8_t> m_shapes;
  std::string m_failure;
};
