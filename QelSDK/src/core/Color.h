// A colour as four 8-bit channels together with its pixel value in the format it was last packed for.
#pragma once

#include <cstdint>

#include "core/PixelFormat.h"

namespace Qel {

class Color {
public:
  // The format of colours made or read without one.
  static constexpr const PixelFormat& kDefaultFormat = kPixelFormatA8R8G8B8;

  constexpr Color() = default;
  // Unpacked in the default format.
  explicit Color(uint32_t packed);
  // Packed in the default format.
  Color(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  Color(const PixelFormat& format, uint8_t r, uint8_t g, uint8_t b, uint8_t a);

  // Compares the channels only: the packed value depends on a format the colour does not keep.
  bool operator!=(const Color& other) const;

  uint8_t Red() const { return m_r; }
  uint8_t Green() const { return m_g; }
  uint8_t Blue() const { return m_b; }
  uint8_t Alpha() const { return m_a; }
  uint32_t GetPacked() const { return m_packed; }

  // An indexed format has no channels to pack into, so the packed value is kept as it was.
  void Pack(const PixelFormat& format);
  // An indexed value carries no channels: they become 0. A format without alpha reads as opaque.
  void Unpack(const PixelFormat& format, uint32_t packed);
  void SetPacked(uint32_t packed) { Unpack(kDefaultFormat, packed); }

  // out takes these channels packed for format.
  Color& ConvertTo(Color& out, const PixelFormat& format) const;

  // Shared colours, each packed for the format asked for; the reference stays valid for the program's
  // lifetime.
  static const Color& Black(const PixelFormat& format);
  static const Color& White(const PixelFormat& format);
  static const Color& Magenta(const PixelFormat& format);
  static const Color& TransparentBlack(const PixelFormat& format);
  static const Color& TransparentMagenta(const PixelFormat& format);

private:
  uint8_t m_r = 0;
  uint8_t m_g = 0;
  uint8_t m_b = 0;
  uint8_t m_a = 0;
  uint32_t m_packed = 0;
};

}  // namespace Qel
