// The header of one stored image: sizes, encoding, colour key and attached palette.
#include "graphics/SquishImageHeader.h"

#include "core/LittleEndian.h"
#include "graphics/Palette.h"
#include "graphics/PaletteRegistry.h"
#include "graphics/SquishFile.h"

namespace {

constexpr size_t kHeaderBytes = 20;

// The top bits of a channel, placed at a bit position.
uint32_t Top(uint32_t channel, int bits, int at) {
  return (channel >> (8 - bits)) << at;
}

}  // namespace

SquishImageHeader::~SquishImageHeader() {
  AttachPalette(nullptr);
}

bool SquishImageHeader::Read(SquishFile& file) {
  Reset();
  uint8_t bytes[kHeaderBytes] = {};
  if (!file.Read(bytes, sizeof bytes)) return false;
  m_width = Qel::ReadLE16(bytes);
  m_height = Qel::ReadLE16(bytes + 2);
  m_bitsPerPixel = Qel::ReadLE16(bytes + 4);
  m_pitch = Qel::ReadLE16(bytes + 6);
  m_dataSize = Qel::ReadLE32(bytes + 8);
  const uint32_t key = Qel::ReadLE32(bytes + 12);
  m_flags = Qel::ReadLE32(bytes + 16);
  if (m_flags & kFlagPalette) {
    Qel::Palette* palette = Qel::ReadPalette(file);
    AttachPalette(palette);
    if (!palette) return false;
  }
  if (m_flags & kFlagColorKey) SetColorKey(key);
  return true;
}

void SquishImageHeader::Reset() {
  ClearColorKey();
  AttachPalette(nullptr);
  m_width = 0;
  m_height = 0;
  m_bitsPerPixel = 0;
  m_pitch = 0;
  m_dataSize = 0;
  m_flags = 0;
}

void SquishImageHeader::AttachPalette(Qel::Palette* palette) {
  if (m_palette) m_palette->ReleaseReference();
  m_palette = palette;
  if (m_palette) {
    m_flags |= kFlagPalette;
    m_palette->AddReference();
  } else {
    m_flags &= ~kFlagPalette;
  }
  if (m_flags & kFlagColorKey) PackKey();
}

void SquishImageHeader::SetColorKey(uint32_t key) {
  m_colorKey = key;
  PackKey();
  m_flags |= kFlagColorKey;
}

void SquishImageHeader::ClearColorKey() {
  m_colorKey = kNoColorKey;
  m_packedKey = kNoColorKey;
  m_flags &= ~kFlagColorKey;
}

void SquishImageHeader::PackKey() {
  if (m_palette && GetLayoutCode() == 1) {
    m_packedKey = static_cast<uint32_t>(m_palette->IndexOf(m_colorKey));
  } else {
    m_packedKey = PackColorKey(m_colorKey, GetLayoutCode());
  }
}

uint32_t SquishImageHeader::PackColorKey(uint32_t key, uint32_t layoutCode) {
  const uint32_t b = key & 0xFF;
  const uint32_t g = (key >> 8) & 0xFF;
  const uint32_t r = (key >> 16) & 0xFF;
  const uint32_t a = key >> 24;
  switch (layoutCode) {
    case 1:
      return b;
    case 2:
      return Top(r, 5, 11) | Top(g, 5, 6) | Top(b, 5, 1) | Top(a, 1, 0);
    case 4:
      return Top(a, 1, 15) | Top(r, 5, 10) | Top(g, 5, 5) | Top(b, 5, 0);
    case 8:
      return Top(r, 5, 11) | Top(g, 6, 5) | Top(b, 5, 0);
    case 16:
      return Top(b, 5, 11) | Top(g, 5, 6) | Top(r, 5, 1) | Top(a, 1, 0);
    case 32:
      return Top(b, 5, 11) | Top(g, 6, 5) | Top(r, 5, 0);
    case 64:
    case 128:
      return key;
    case 0x40000:
      return Top(a, 4, 12) | Top(r, 4, 8) | Top(g, 4, 4) | Top(b, 4, 0);
    default:
      return 0;
  }
}
