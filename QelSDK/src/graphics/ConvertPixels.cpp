// Conversion of a rectangle of pixels between packed formats, channel by channel.
#include "graphics/ConvertPixels.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace Qel {
namespace {

// Channels wider than this are rescaled as if they had this many bits, which keeps the arithmetic
// within 64 bits whatever masks a file declares.
constexpr int kMaxChannelBits = 16;
// Channels of at most this many bits are served by a table of every source value.
constexpr int kTableBits = 8;

struct Channel {
  int sourceBits;
  int sourceShift;
  int destinationBits;
  int destinationShift;
  bool isAlpha;
};

// x * D / S rounded half up, in the integer form that needs no rounding mode.
uint32_t Rescale(uint64_t x, int sourceBits, int destinationBits) {
  const uint64_t s = (uint64_t{1} << sourceBits) - 1;
  const uint64_t d = (uint64_t{1} << destinationBits) - 1;
  return static_cast<uint32_t>((x * 2 * d + s) / (2 * s));
}

// What one channel contributes to the destination, from the channel's own source bits x.
uint32_t ScaleChannel(uint64_t x, const Channel& c) {
  if (c.destinationBits < 1) return 0;
  if (c.sourceBits < 1) {
    const uint64_t d = (uint64_t{1} << c.destinationBits) - 1;
    return c.isAlpha ? static_cast<uint32_t>(d << c.destinationShift) : 0;
  }
  if (c.sourceBits == c.destinationBits) return static_cast<uint32_t>(x << c.destinationShift);
  return static_cast<uint32_t>(uint64_t{Rescale(x, c.sourceBits, c.destinationBits)} << c.destinationShift);
}

uint32_t SourceBits(uint32_t v, const Channel& c) {
  return static_cast<uint32_t>((uint64_t{v} >> c.sourceShift) & ((uint64_t{1} << c.sourceBits) - 1));
}

// The four channels reduced to what varies per pixel: a constant (opaque alpha the source lacks) and
// the channels that read source bits, each through a table of its shifted destination bits when narrow
// enough, else computed.
class Plan {
public:
  explicit Plan(const Channel (&channels)[4]) {
    for (const Channel& c : channels) {
      if (c.destinationBits < 1) continue;
      if (c.sourceBits < 1) {
        m_constant |= ScaleChannel(0, c);
        continue;
      }
      if (c.sourceBits > kTableBits) {
        m_computed[m_computedCount++] = c;
        continue;
      }
      Lookup& lookup = m_lookups[m_lookupCount++];
      lookup.shift = c.sourceShift;
      lookup.mask = (1u << c.sourceBits) - 1;
      for (uint32_t x = 0; x <= lookup.mask; ++x) {
        lookup.table[x] = ScaleChannel(x, c);
      }
    }
  }

  uint32_t Convert(uint32_t v) const {
    uint32_t out = m_constant;
    for (int i = 0; i < m_lookupCount; ++i) {
      out |= m_lookups[i].table[(v >> m_lookups[i].shift) & m_lookups[i].mask];
    }
    for (int i = 0; i < m_computedCount; ++i)
      out |= ScaleChannel(SourceBits(v, m_computed[i]), m_computed[i]);
    return out;
  }

  int LookupCount() const { return m_lookupCount; }
  bool HasComputed() const { return m_computedCount > 0; }

  template <int N>
  uint32_t ConvertLookups(uint32_t v) const {
    uint32_t out = m_constant;
    for (int i = 0; i < N; ++i) {
      out |= m_lookups[i].table[(v >> m_lookups[i].shift) & m_lookups[i].mask];
    }
    return out;
  }

private:
  struct Lookup {
    int shift = 0;
    uint32_t mask = 0;
    uint32_t table[1u << kTableBits] = {};
  };

  uint32_t m_constant = 0;
  int m_lookupCount = 0;
  Lookup m_lookups[4];
  int m_computedCount = 0;
  Channel m_computed[4] = {};
};

template <int Bytes>
uint32_t LoadUnit(const uint8_t* p) {
  uint32_t v = p[0];
  if constexpr (Bytes > 1) v |= uint32_t{p[1]} << 8;
  if constexpr (Bytes > 2) v |= uint32_t{p[2]} << 16;
  if constexpr (Bytes > 3) v |= uint32_t{p[3]} << 24;
  return v;
}

template <int Bytes>
void StoreUnit(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  if constexpr (Bytes > 1) p[1] = static_cast<uint8_t>(v >> 8);
  if constexpr (Bytes > 2) p[2] = static_cast<uint8_t>(v >> 16);
  if constexpr (Bytes > 3) p[3] = static_cast<uint8_t>(v >> 24);
}

struct Rows {
  int width;
  int height;
  const uint8_t* source;
  ptrdiff_t sourcePitch;
  uint8_t* destination;
  ptrdiff_t destinationPitch;
};

template <int SourceBytes, int DestinationBytes, typename Convert>
void ConvertRows(const Rows& rows, const Convert& convert) {
  for (int y = 0; y < rows.height; ++y) {
    const uint8_t* from = rows.source + y * rows.sourcePitch;
    uint8_t* to = rows.destination + y * rows.destinationPitch;
    for (int x = 0; x < rows.width; ++x) {
      StoreUnit<DestinationBytes>(to + x * DestinationBytes,
                                  convert(LoadUnit<SourceBytes>(from + x * SourceBytes)));
    }
  }
}

template <int SourceBytes, int DestinationBytes>
void ConvertUnits(const Rows& rows, const Plan& plan) {
  if (plan.HasComputed()) {
    ConvertRows<SourceBytes, DestinationBytes>(rows, [&plan](uint32_t v) { return plan.Convert(v); });
    return;
  }
  switch (plan.LookupCount()) {
    case 0:
      ConvertRows<SourceBytes, DestinationBytes>(rows,
                                                 [&plan](uint32_t v) { return plan.ConvertLookups<0>(v); });
      break;
    case 1:
      ConvertRows<SourceBytes, DestinationBytes>(rows,
                                                 [&plan](uint32_t v) { return plan.ConvertLookups<1>(v); });
      break;
    case 2:
      ConvertRows<SourceBytes, DestinationBytes>(rows,
                                                 [&plan](uint32_t v) { return plan.ConvertLookups<2>(v); });
      break;
    case 3:
      ConvertRows<SourceBytes, DestinationBytes>(rows,
                                                 [&plan](uint32_t v) { return plan.ConvertLookups<3>(v); });
      break;
    default:
      ConvertRows<SourceBytes, DestinationBytes>(rows,
                                                 [&plan](uint32_t v) { return plan.ConvertLookups<4>(v); });
      break;
  }
}

template <int SourceBytes>
void ConvertFrom(const Rows& rows, int destinationBytes, const Plan& plan) {
  switch (destinationBytes) {
    case 1:
      ConvertUnits<SourceBytes, 1>(rows, plan);
      break;
    case 2:
      ConvertUnits<SourceBytes, 2>(rows, plan);
      break;
    case 3:
      ConvertUnits<SourceBytes, 3>(rows, plan);
      break;
    case 4:
      ConvertUnits<SourceBytes, 4>(rows, plan);
      break;
    default:
      break;
  }
}

// 8, 16, 24 and 32 bits are units of 1 to 4 bytes; 0 for any other depth.
int UnitBytes(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 8:
    case 16:
    case 24:
    case 32:
      return bitsPerPixel / 8;
    default:
      return 0;
  }
}

Channel MakeChannel(int sourceBits, int sourceShift, int destinationBits, int destinationShift,
                    bool isAlpha) {
  return Channel{std::clamp(sourceBits, 0, kMaxChannelBits), std::clamp(sourceShift, 0, 31),
                 std::clamp(destinationBits, 0, kMaxChannelBits), std::clamp(destinationShift, 0, 31),
                 isAlpha};
}

}  // namespace

void ConvertPixels(int width, int height, const void* source, int sourcePitch, int sourceBitsPerPixel,
                   int sourceAlphaBits, int sourceRedBits, int sourceGreenBits, int sourceBlueBits,
                   int sourceAlphaShift, int sourceRedShift, int sourceGreenShift, int sourceBlueShift,
                   void* destination, int destinationPitch, int destinationBitsPerPixel,
                   int destinationAlphaBits, int destinationRedBits, int destinationGreenBits,
                   int destinationBlueBits, int destinationAlphaShift, int destinationRedShift,
                   int destinationGreenShift, int destinationBlueShift) {
  const int sourceBytes = UnitBytes(sourceBitsPerPixel);
  const int destinationBytes = UnitBytes(destinationBitsPerPixel);
  if (sourceBytes == 0 || destinationBytes == 0 || width < 1 || height < 1 || !source || !destination) return;

  const Channel channels[4] = {
      MakeChannel(sourceAlphaBits, sourceAlphaShift, destinationAlphaBits, destinationAlphaShift, true),
      MakeChannel(sourceRedBits, sourceRedShift, destinationRedBits, destinationRedShift, false),
      MakeChannel(sourceGreenBits, sourceGreenShift, destinationGreenBits, destinationGreenShift, false),
      MakeChannel(sourceBlueBits, sourceBlueShift, destinationBlueBits, destinationBlueShift, false),
  };
  const Plan plan(channels);
  const Rows rows{width,
                  height,
                  static_cast<const uint8_t*>(source),
                  sourcePitch,
                  static_cast<uint8_t*>(destination),
                  destinationPitch};
  switch (sourceBytes) {
    case 1:
      ConvertFrom<1>(rows, destinationBytes, plan);
      break;
    case 2:
      ConvertFrom<2>(rows, destinationBytes, plan);
      break;
    case 3:
      ConvertFrom<3>(rows, destinationBytes, plan);
      break;
    default:
      ConvertFrom<4>(rows, destinationBytes, plan);
      break;
  }
}

void ConvertPixels(int width, int height, const void* source, int sourcePitch, const PixelFormat& from,
                   void* destination, int destinationPitch, const PixelFormat& to) {
  ConvertPixels(width, height, source, sourcePitch, from.GetBitsPerPixel(), from.GetAlphaBits(),
                from.GetRedBits(), from.GetGreenBits(), from.GetBlueBits(), from.GetAlphaShift(),
                from.GetRedShift(), from.GetGreenShift(), from.GetBlueShift(), destination, destinationPitch,
                to.GetBitsPerPixel(), to.GetAlphaBits(), to.GetRedBits(), to.GetGreenBits(), to.GetBlueBits(),
                to.GetAlphaShift(), to.GetRedShift(), to.GetGreenShift(), to.GetBlueShift());
}

}  // namespace Qel
