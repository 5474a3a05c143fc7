// How one pixel is packed: its size in bits and where its colour channels lie.
#pragma once

#include <bit>
#include <cstdint>

namespace Qel {

class PixelFormat {
public:
  // The undefined format.
  constexpr PixelFormat() = default;

  // A palette format: no channel masks.
  constexpr explicit PixelFormat(int32_t bitsPerPixel) : m_bitsPerPixel(bitsPerPixel) {}

  constexpr PixelFormat(int32_t bitsPerPixel, uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                        uint32_t alphaMask) {
    Set(bitsPerPixel, redMask, greenMask, blueMask, alphaMask);
  }

  constexpr void Set(int32_t bitsPerPixel, uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                     uint32_t alphaMask) {
    m_bitsPerPixel = bitsPerPixel;
    m_redMask = redMask;
    m_greenMask = greenMask;
    m_blueMask = blueMask;
    m_alphaMask = alphaMask;
    m_redBits = BitCount(redMask);
    m_greenBits = BitCount(greenMask);
    m_blueBits = BitCount(blueMask);
    m_alphaBits = BitCount(alphaMask);
    m_redShift = Shift(redMask);
    m_greenShift = Shift(greenMask);
    m_blueShift = Shift(blueMask);
    m_alphaShift = Shift(alphaMask);
  }

  // The derived bytes follow from the masks, so comparing every field compares the masks and depth.
  constexpr bool operator==(const PixelFormat&) const = default;

  constexpr bool IsIndexed() const {
    return m_bitsPerPixel >= 1 && m_redMask == 0 && m_greenMask == 0 && m_blueMask == 0 && m_alphaMask == 0;
  }
  constexpr bool HasAlpha() const { return m_alphaMask != 0; }

  constexpr int32_t GetBitsPerPixel() const { return m_bitsPerPixel; }

  // The step between packed pixels; 0 for depths that are not a whole number of bytes.
  constexpr int GetBytesPerPixel() const {
    switch (m_bitsPerPixel) {
      case 8:
        return 1;
      case 16:
        return 2;
      case 24:
        return 3;
      case 32:
        return 4;
      default:
        return 0;
    }
  }

  constexpr uint32_t GetRedMask() const { return m_redMask; }
  constexpr uint32_t GetGreenMask() const { return m_greenMask; }
  constexpr uint32_t GetBlueMask() const { return m_blueMask; }
  constexpr uint32_t GetAlphaMask() const { return m_alphaMask; }

  constexpr int GetRedBits() const { return m_redBits; }
  constexpr int GetGreenBits() const { return m_greenBits; }
  constexpr int GetBlueBits() const { return m_blueBits; }
  constexpr int GetAlphaBits() const { return m_alphaBits; }

  constexpr int GetRedShift() const { return m_redShift; }
  constexpr int GetGreenShift() const { return m_greenShift; }
  constexpr int GetBlueShift() const { return m_blueShift; }
  constexpr int GetAlphaShift() const { return m_alphaShift; }

private:
  static constexpr int8_t BitCount(uint32_t mask) { return static_cast<int8_t>(std::popcount(mask)); }

  // The position of the lowest set bit, moved up so that at most the channel's 16 highest bits
  // remain below bit 16: colour arithmetic on the shifted channel then stays within 32 bits.
  static constexpr int8_t Shift(uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    mask >>= shift;
    while (mask & 0x10000u) {
      mask >>= 1;
      ++shift;
    }
    return static_cast<int8_t>(shift);
  }

  int32_t m_bitsPerPixel = 0;
  uint32_t m_redMask = 0;
  uint32_t m_greenMask = 0;
  uint32_t m_blueMask = 0;
  uint32_t m_alphaMask = 0;
  int8_t m_redBits = 0;
  int8_t m_greenBits = 0;
  int8_t m_blueBits = 0;
  int8_t m_alphaBits = 0;
  int8_t m_redShift = 0;
  int8_t m_greenShift = 0;
  int8_t m_blueShift = 0;
  int8_t m_alphaShift = 0;
};

inline constexpr PixelFormat kPixelFormatNone{};
inline constexpr PixelFormat kPixelFormatIndexed1{1};
inline constexpr PixelFormat kPixelFormatIndexed2{2};
inline constexpr PixelFormat kPixelFormatIndexed4{4};
inline constexpr PixelFormat kPixelFormatIndexed8{8};
inline constexpr PixelFormat kPixelFormatX1R5G5B5{16, 0x7C00, 0x03E0, 0x001F, 0};
inline constexpr PixelFormat kPixelFormatA1R5G5B5{16, 0x7C00, 0x03E0, 0x001F, 0x8000};
inline constexpr PixelFormat kPixelFormatR5G6B5{16, 0xF800, 0x07E0, 0x001F, 0};
inline constexpr PixelFormat kPixelFormatA4R4G4B4{16, 0x0F00, 0x00F0, 0x000F, 0xF000};
inline constexpr PixelFormat kPixelFormatR8G8B8{24, 0xFF0000, 0xFF00, 0xFF, 0};
inline constexpr PixelFormat kPixelFormatX8R8G8B8{32, 0xFF0000, 0xFF00, 0xFF, 0};
inline constexpr PixelFormat kPixelFormatA8R8G8B8{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};

}  // namespace Qel
