// Conversion of a rectangle of pixels between packed formats, channel by channel.
#include "graphics/ConvertPixels.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Qel {
namespace {

// Channels wider than this are rescaled as if they had this many bits, which keeps the arithmetic
// within 64 bits whatever masks a file declares.
constexpr int kMaxChannelBits = 16;
// Channels of at most this many bits on both sides take the fast path.
constexpr int kFastBits = 8;

struct Channel {
  int sourceBits;
  int sourceShift;
  int destinationBits;
  int destinationShift;
  bool isAlpha;
};

uint64_t MaxOf(int bits) {
  return (uint64_t{1} << bits) - 1;
}

// x * D / S rounded half up, in the integer form that needs no rounding mode.
uint64_t Rescale(uint64_t x, int sourceBits, int destinationBits) {
  const uint64_t s = MaxOf(sourceBits);
  return (x * 2 * MaxOf(destinationBits) + s) / (2 * s);
}

// What one channel contributes to the destination for the source value v; the slow path, for any
// channel widths.
uint32_t ConvertChannel(uint32_t v, const Channel& c) {
  if (c.destinationBits < 1) return 0;
  if (c.sourceBits < 1)
    return c.isAlpha ? static_cast<uint32_t>(MaxOf(c.destinationBits) << c.destinationShift) : 0;
  const uint64_t x = (uint64_t{v} >> c.sourceShift) & MaxOf(c.sourceBits);
  const uint64_t y = c.sourceBits == c.destinationBits ? x : Rescale(x, c.sourceBits, c.destinationBits);
  return static_cast<uint32_t>(y << c.destinationShift);
}

// One channel of at most 8 bits each side as ((v >> shift) & mask) * multiplier + addend, shifted down
// then up: the rounded rescale (x * 2D + S) / (2S) is (x * D + (S - 1) / 2) / S, and the division by S
// is a multiplication by ceil(2^K / S) and a shift by K, with K chosen so that it is exact for every x
// and nothing leaves 32 bits. No multiplier (and no mask) leaves the channel out.
struct Linear {
  uint32_t shift = 0;
  uint32_t mask = 0;
  uint32_t multiplier = 0;
  uint32_t addend = 0;
  uint32_t down = 0;
  uint32_t up = 0;
};

bool MakeLinear(const Channel& c, Linear& out) {
  const uint64_t s = MaxOf(c.sourceBits);
  const uint64_t d = MaxOf(c.destinationBits);
  const uint64_t half = (s - 1) / 2;
  for (uint32_t k = 1; k < 32; ++k) {
    const uint64_t m = ((uint64_t{1} << k) + s - 1) / s;
    if ((s * d + half) * m > UINT32_MAX) return false;
    bool exact = true;
    for (uint64_t x = 0; x <= s && exact; ++x) {
      const uint64_t expected =
          c.sourceBits == c.destinationBits ? x : Rescale(x, c.sourceBits, c.destinationBits);
      exact = ((x * d + half) * m) >> k == expected;
    }
    if (exact) {
      out = Linear{static_cast<uint32_t>(c.sourceShift),
                   static_cast<uint32_t>(s),
                   static_cast<uint32_t>(d * m),
                   static_cast<uint32_t>(half * m),
                   k,
                   static_cast<uint32_t>(c.destinationShift)};
      return true;
    }
  }
  return false;
}

// What varies per pixel: a constant (the opaque alpha a source lacks) and the channels that read source
// bits, all four of them linear when narrow enough, else each through the slow path.
class Plan {
public:
  explicit Plan(const Channel (&channels)[4]) {
    for (const Channel& c : channels) {
      if (c.destinationBits < 1) continue;
      if (c.sourceBits < 1) {
        m_constant |= ConvertChannel(0, c);
        continue;
      }
      m_active[m_activeCount++] = c;
      if (c.sourceBits > kFastBits || c.destinationBits > kFastBits) m_linear = false;
    }
    for (int i = 0; i < m_activeCount && m_linear; ++i) m_linear = MakeLinear(m_active[i], m_channels[i]);
  }

  bool IsLinear() const { return m_linear; }
  int ActiveCount() const { return m_activeCount; }
  uint32_t Constant() const { return m_constant; }
  const Linear (&Channels() const)[4] { return m_channels; }

  uint32_t Convert(uint32_t v) const {
    uint32_t out = m_constant;
    for (int i = 0; i < m_activeCount; ++i) out |= ConvertChannel(v, m_active[i]);
    return out;
  }

private:
  uint32_t m_constant = 0;
  int m_activeCount = 0;
  Channel m_active[4] = {};
  bool m_linear = true;
  Linear m_channels[4];
};

template <int Bytes>
uint32_t LoadUnit(const uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little && Bytes == 4) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  } else if constexpr (std::endian::native == std::endian::little && Bytes == 2) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
  } else {
    uint32_t v = p[0];
    if constexpr (Bytes > 1) v |= uint32_t{p[1]} << 8;
    if constexpr (Bytes > 2) v |= uint32_t{p[2]} << 16;
    if constexpr (Bytes > 3) v |= uint32_t{p[3]} << 24;
    return v;
  }
}

template <int Bytes>
void StoreUnit(uint8_t* p, uint32_t v) {
  if constexpr (std::endian::native == std::endian::little && Bytes == 4) {
    std::memcpy(p, &v, 4);
  } else if constexpr (std::endian::native == std::endian::little && Bytes == 2) {
    const auto unit = static_cast<uint16_t>(v);
    std::memcpy(p, &unit, 2);
  } else {
    p[0] = static_cast<uint8_t>(v);
    if constexpr (Bytes > 1) p[1] = static_cast<uint8_t>(v >> 8);
    if constexpr (Bytes > 2) p[2] = static_cast<uint8_t>(v >> 16);
    if constexpr (Bytes > 3) p[3] = static_cast<uint8_t>(v >> 24);
  }
}

struct Rows {
  int width;
  int height;
  const uint8_t* source;
  ptrdiff_t sourcePitch;
  uint8_t* destination;
  ptrdiff_t destinationPitch;
};

uint32_t Apply(uint32_t v, const Linear& c) {
  return ((((v >> c.shift) & c.mask) * c.multiplier + c.addend) >> c.down) << c.up;
}

// Straight-line per pixel, the channels past the active ones having no mask and no multiplier, so that the
// compiler runs a row in vector registers. Each unit is read before it is written, which keeps in-place
// conversion safe.
template <int SourceBytes, int DestinationBytes, int Channels>
inline __attribute__((always_inline)) void ConvertLinearRows(const Rows& rows, const Plan& plan) {
  const Linear c0 = plan.Channels()[0];
  const Linear c1 = plan.Channels()[1];
  const Linear c2 = plan.Channels()[2];
  const Linear c3 = plan.Channels()[3];
  const uint32_t constant = plan.Constant();
  // Locals, since every store through a byte pointer could otherwise change them.
  const int width = rows.width;
  const int height = rows.height;
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = rows.source + y * rows.sourcePitch;
    uint8_t* to = rows.destination + y * rows.destinationPitch;
    for (int x = 0; x < width; ++x) {
      const uint32_t v = LoadUnit<SourceBytes>(from + x * SourceBytes);
      uint32_t out = constant | Apply(v, c0) | Apply(v, c1) | Apply(v, c2);
      if constexpr (Channels > 3) out |= Apply(v, c3);
      StoreUnit<DestinationBytes>(to + x * DestinationBytes, out);
    }
  }
}

// Three channels cover every format without alpha and every conversion that drops or adds it; the
// fourth costs only where both sides have alpha.
template <int SourceBytes, int DestinationBytes>
inline __attribute__((always_inline)) void LinearRows(const Rows& rows, const Plan& plan) {
  if (plan.ActiveCount() <= 3) {
    ConvertLinearRows<SourceBytes, DestinationBytes, 3>(rows, plan);
  } else {
    ConvertLinearRows<SourceBytes, DestinationBytes, 4>(rows, plan);
  }
}

template <int SourceBytes>
inline __attribute__((always_inline)) void LinearFrom(const Rows& rows, const Plan& plan,
                                                      int destinationBytes) {
  switch (destinationBytes) {
    case 1:
      LinearRows<SourceBytes, 1>(rows, plan);
      break;
    case 2:
      LinearRows<SourceBytes, 2>(rows, plan);
      break;
    case 3:
      LinearRows<SourceBytes, 3>(rows, plan);
      break;
    default:
      LinearRows<SourceBytes, 4>(rows, plan);
      break;
  }
}

// Built for the plain instruction set and again for SSE4.1 and AVX2, which multiply 32-bit lanes
// natively (the plain set spends five instructions on each such multiplication); the loader picks the
// build the processor runs.
__attribute__((target_clones("avx2", "sse4.1", "default"))) void ConvertLinear(const Rows& rows,
                                                                               const Plan& plan,
                                                                               int sourceBytes,
                                                                               int destinationBytes) {
  switch (sourceBytes) {
    case 1:
      LinearFrom<1>(rows, plan, destinationBytes);
      break;
    case 2:
      LinearFrom<2>(rows, plan, destinationBytes);
      break;
    case 3:
      LinearFrom<3>(rows, plan, destinationBytes);
      break;
    default:
      LinearFrom<4>(rows, plan, destinationBytes);
      break;
  }
}

template <int SourceBytes, int DestinationBytes>
void ConvertAny(const Rows& rows, const Plan& plan) {
  for (int y = 0; y < rows.height; ++y) {
    const uint8_t* from = rows.source + y * rows.sourcePitch;
    uint8_t* to = rows.destination + y * rows.destinationPitch;
    for (int x = 0; x < rows.width; ++x) {
      StoreUnit<DestinationBytes>(to + x * DestinationBytes,
                                  plan.Convert(LoadUnit<SourceBytes>(from + x * SourceBytes)));
    }
  }
}

template <int SourceBytes>
void ConvertAnyFrom(const Rows& rows, const Plan& plan, int destinationBytes) {
  switch (destinationBytes) {
    case 1:
      ConvertAny<SourceBytes, 1>(rows, plan);
      break;
    case 2:
      ConvertAny<SourceBytes, 2>(rows, plan);
      break;
    case 3:
      ConvertAny<SourceBytes, 3>(rows, plan);
      break;
    default:
      ConvertAny<SourceBytes, 4>(rows, plan);
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
  if (plan.IsLinear()) {
    ConvertLinear(rows, plan, sourceBytes, destinationBytes);
    return;
  }
  switch (sourceBytes) {
    case 1:
      ConvertAnyFrom<1>(rows, plan, destinationBytes);
      break;
    case 2:
      ConvertAnyFrom<2>(rows, plan, destinationBytes);
      break;
    case 3:
      ConvertAnyFrom<3>(rows, plan, destinationBytes);
      break;
    default:
      ConvertAnyFrom<4>(rows, plan, destinationBytes);
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
