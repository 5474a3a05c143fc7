// Packing colours into pixel values and back, and the shared named colours.
#include "core/Color.h"

#include <bit>
#include <deque>

namespace Qel {

namespace {

// The channel value scaled, with rounding, to the channel's full width and placed at its lowest bit.
// For the channels of up to 8 bits that every engine format has, this is the format's own shift; a
// wider channel is scaled the same way, in 64 bits, and never spills outside its mask.
uint32_t PackChannel(uint32_t mask, uint8_t value) {
  if (mask == 0) return 0;
  const int lowest = std::countr_zero(mask);
  const uint64_t full = mask >> lowest;
  const uint64_t scaled = (full * value * 2 + 255) / 510;
  return static_cast<uint32_t>(scaled << lowest) & mask;
}

// The format's shift leaves at most 16 significant bits, so full is never 0 for a set mask.
uint8_t UnpackChannel(uint32_t mask, int shift, uint32_t packed) {
  if (mask == 0) return 0;
  const uint64_t full = mask >> shift;
  const uint64_t stored = (packed & mask) >> shift;
  return static_cast<uint8_t>((full + stored * 510) / (2 * full));
}

struct NamedColor {
  PixelFormat format;
  Color color;
};

// One entry per format asked for. A deque keeps earlier entries in place as it grows, so references
// already handed out stay valid.
const Color& FindOrAdd(std::deque<NamedColor>& cache, const PixelFormat& format, uint8_t r, uint8_t g,
                       uint8_t b, uint8_t a) {
  for (const NamedColor& entry : cache) {
    if (entry.format == format) return entry.color;
  }
  return cache.emplace_back(NamedColor{format, Color(format, r, g, b, a)}).color;
}

}  // namespace

Color::Color(uint32_t packed) {
  Unpack(kDefaultFormat, packed);
}

Color::Color(uint8_t r, uint8_t g, uint8_t b, uint8_t a) : Color(kDefaultFormat, r, g, b, a) {}

Color::Color(const PixelFormat& format, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
    : m_r(r), m_g(g), m_b(b), m_a(a) {
  Pack(format);
}

bool Color::operator!=(const Color& other) const {
  return m_r != other.m_r || m_g != other.m_g || m_b != other.m_b || m_a != other.m_a;
}

void Color::Pack(const PixelFormat& format) {
  if (format.IsIndexed()) return;
  m_packed = PackChannel(format.GetRedMask(), m_r) | PackChannel(format.GetGreenMask(), m_g) |
             PackChannel(format.GetBlueMask(), m_b) | PackChannel(format.GetAlphaMask(), m_a);
}

void Color::Unpack(const PixelFormat& format, uint32_t packed) {
  m_packed = packed;
  if (format.IsIndexed()) {
    m_r = m_g = m_b = m_a = 0;
    return;
  }
  m_r = UnpackChannel(format.GetRedMask(), format.GetRedShift(), packed);
  m_g = UnpackChannel(format.GetGreenMask(), format.GetGreenShift(), packed);
  m_b = UnpackChannel(format.GetBlueMask(), format.GetBlueShift(), packed);
  m_a = format.HasAlpha() ? UnpackChannel(format.GetAlphaMask(), format.GetAlphaShift(), packed) : 255;
}

Color& Color::ConvertTo(Color& out, const PixelFormat& format) const {
  out = *this;
  out.Pack(format);
  return out;
}

const Color& Color::Black(const PixelFormat& format) {
  static std::deque<NamedColor> cache;
  return FindOrAdd(cache, format, 0, 0, 0, 255);
}

const Color& Color::White(const PixelFormat& format) {
  static std::deque<NamedColor> cache;
  return FindOrAdd(cache, format, 255, 255, 255, 255);
}

const Color& Color::Magenta(const PixelFormat& format) {
  static std::deque<NamedColor> cache;
  return FindOrAdd(cache, format, 255, 0, 255, 255);
}

const Color& Color::TransparentBlack(const PixelFormat& format) {
  static std::deque<NamedColor> cache;
  return FindOrAdd(cache, format, 0, 0, 0, 0);
}

const Color& Color::TransparentMagenta(const PixelFormat& format) {
  static std::deque<NamedColor> cache;
  return FindOrAdd(cache, format, 255, 0, 255, 0);
}

}  // namespace Qel
