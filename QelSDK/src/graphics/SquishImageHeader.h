// The header of one stored image: sizes, encoding, colour key and attached palette.
#pragma once

#include <cstdint>

class SquishFile;

namespace Qel {
class Palette;
}

class SquishImageHeader {
public:
  // Flags: the layout code (low bits with 0x40000), the pixel encoding, the colour key and palette marks.
  static constexpr uint32_t kLayoutMask = 0x401FF;
  static constexpr uint32_t kEncodingMask = 0xE00;
  static constexpr uint32_t kEncodingRaw = 0x200;
  static constexpr uint32_t kEncodingRunLength = 0x400;
  static constexpr uint32_t kFlagColorKey = 0x1000;
  static constexpr uint32_t kFlagPalette = 0x2000;

  static constexpr uint32_t kNoColorKey = 0xFFFFFFFF;

  SquishImageHeader() = default;
  ~SquishImageHeader();
  SquishImageHeader(const SquishImageHeader&) = delete;
  SquishImageHeader& operator=(const SquishImageHeader&) = delete;

  // Sizes, key bytes and flags, then the palette block when flagged; false at the first failed read
  // or a palette that cannot be read.
  bool Read(SquishFile& file);
  void Reset();
  // Holds one reference to the palette (null detaches); the old one stays registered.
  void AttachPalette(Qel::Palette* palette);
  // key is the four stored bytes read little-endian: alpha, red, green, blue from the top.
  void SetColorKey(uint32_t key);
  void ClearColorKey();

  // The key packed into the pixel layout of a layout code; 0 for an unknown code.
  static uint32_t PackColorKey(uint32_t key, uint32_t layoutCode);

  uint16_t GetWidth() const { return m_width; }
  uint16_t GetHeight() const { return m_height; }
  uint16_t GetBitsPerPixel() const { return m_bitsPerPixel; }
  uint16_t GetPitch() const { return m_pitch; }
  uint32_t GetDataSize() const { return m_dataSize; }
  uint32_t GetFlags() const { return m_flags; }
  uint32_t GetEncoding() const { return m_flags & kEncodingMask; }
  uint32_t GetLayoutCode() const { return m_flags & kLayoutMask; }
  uint32_t GetColorKey() const { return m_colorKey; }
  uint32_t GetPackedKey() const { return m_packedKey; }
  Qel::Palette* GetPalette() const { return m_palette; }

private:
  void PackKey();

  uint16_t m_width = 0;
  uint16_t m_height = 0;
  uint16_t m_bitsPerPixel = 0;
  uint16_t m_pitch = 0;
  uint32_t m_dataSize = 0;
  uint32_t m_flags = kEncodingRaw;
  uint32_t m_colorKey = kNoColorKey;
  uint32_t m_packedKey = kNoColorKey;
  Qel::Palette* m_palette = nullptr;
};
