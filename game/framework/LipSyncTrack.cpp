// A lip-sync track and its reader.
#include "framework/LipSyncTrack.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <utility>

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
  const auto refuse = [this](std::string why) {
    m_failure = std::move(why);
    return false;
  };
  if (!ReadU32(stream, magic)) return refuse("it is too short to be a track");
  if (magic != kMagic) {
    char text[80];
    std::snprintf(text, sizeof text, "it does not begin with the track mark (0x%08X instead of 0x%08X)",
                  magic, kMagic);
    return refuse(text);
  }
  if (!ReadU32(stream, count) || !ReadU32(stream, msBits)) return refuse("it is cut short inside its header");
  const float msPerShape = std::bit_cast<float>(msBits);
  if (count == 0) return refuse("it holds no entries");
  if (!std::isfinite(msPerShape) || !(msPerShape > 0.0f))
    return refuse("its time per entry is not a positive number");
  std::vector<uint8_t> shapes;
  if (!ReadEntries(stream, count, shapes)) {
    return refuse("it is cut short: it holds fewer than the " + std::to_string(count) +
                  " entries it announces");
  }
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
  m_failure.clear();
}
