// A lip-sync track and its reader.
#include "framework/LipSyncTrack.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/LittleEndian.h"

namespace {

bool ReadU32(Qel::Stream& stream, uint32_t& value) {
  uint8_t bytes[4];
  uint32_t size = sizeof bytes;
  if (!stream.Read(bytes, size) || size != sizeof bytes) return false;
  value = Qel::ReadLE32(bytes);
  return true;
}

// The entries come in pieces, so that a count far beyond the file's bytes never asks for more
// memory than the file really holds.
bool ReadEntries(Qel::Stream& stream, uint32_t count, std::vector<uint8_t>& out) {
  constexpr uint32_t kPiece = 64 * 1024;
  out.clear();
  while (out.size() < count) {
    const uint32_t want = std::min<uint32_t>(kPiece, count - static_cast<uint32_t>(out.size()));
    const size_t start = out.size();
    out.resize(start + want);
    uint32_t got = want;
    stream.Read(out.data() + start, got);
    if (got != want) return false;
  }
  return true;
}

}  // namespace

bool LipSyncTrack::Read(Qel::Stream& stream) {
  Clear();
  uint32_t magic = 0;
  uint32_t count = 0;
  uint32_t msBits = 0;
  if (!ReadU32(stream, magic) || magic != kMagic) return false;
  if (!ReadU32(stream, count) || !ReadU32(stream, msBits)) return false;
  const float msPerShape = std::bit_cast<float>(msBits);
  if (count == 0 || !std::isfinite(msPerShape) || !(msPerShape > 0.0f)) return false;
  std::vector<uint8_t> shapes;
  if (!ReadEntries(stream, count, shapes)) return false;
  m_msPerShape = msPerShape;
  m_shapes = std::move(shapes);
  return true;
}

int LipSyncTrack::ShapeAt(uint32_t positionMs) const {
  if (m_shapes.empty()) return 0;
  // Tested in floating point before the conversion: a tiny time per entry sends the quotient far
  // beyond any index.
  const double index = static_cast<double>(positionMs) / m_msPerShape + 0.5;
  const size_t last = m_shapes.size() - 1;
  const size_t entry = index >= static_cast<double>(last) ? last : static_cast<size_t>(index);
  const uint8_t shape = m_shapes[entry];
  return shape >= kShapeLimit ? 0 : shape;
}

void LipSyncTrack::Clear() {
  m_msPerShape = 1.0f;
  m_shapes.clear();
}
