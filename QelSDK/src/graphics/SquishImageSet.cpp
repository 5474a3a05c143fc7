// A stored-image set: the images of one sprite frame in the encoding of sprite files below version 7.
#include "graphics/SquishImageSet.h"

#include <algorithm>

#include "core/LittleEndian.h"
#include "graphics/SquishFile.h"

bool SquishImageSet::Read(SquishFile& file) {
  Clear();
  uint8_t bytes[8] = {};
  if (!file.Read(bytes, sizeof bytes)) return false;
  m_width = Qel::ReadLE16(bytes);
  m_height = Qel::ReadLE16(bytes + 2);
  m_bitsPerPixel = Qel::ReadLE16(bytes + 4);
  m_hasAlpha = m_bitsPerPixel == 32;
  const uint16_t count = Qel::ReadLE16(bytes + 6);
  for (uint16_t i = 0; i < count; ++i) {
    auto image = std::make_unique<SquishImage>();
    if (!image->Read(file)) return false;
    const SquishImageHeader& header = image->GetHeader();
    if (m_bitsPerPixel == 0) m_bitsPerPixel = header.GetBitsPerPixel();
    if (header.GetBitsPerPixel() != m_bitsPerPixel) continue;
    m_width = std::max<int32_t>(m_width, image->GetX() + header.GetWidth());
    m_height = std::max<int32_t>(m_height, image->GetY() + header.GetHeight());
    m_images.push_back(std::move(image));
  }
  return true;
}

bool SquishImageSet::Decode(uint8_t* buffer, const SquishImageLayout& layout) const {
  for (const auto& image : m_images) {
    // Each image decodes into what the layout holds from its position on, so none writes outside it.
    SquishImageLayout region = layout;
    region.width = layout.width - image->GetX();
    region.height = layout.height - image->GetY();
    if (region.width <= 0 || region.height <= 0) continue;
    uint8_t* destination =
        buffer + (int64_t{layout.bitsPerPixel} * image->GetX()) / 8 + int64_t{image->GetY()} * layout.pitch;
    if (!image->Decode(destination, region)) return false;
  }
  return true;
}

void SquishImageSet::Clear() {
  m_width = 0;
  m_height = 0;
  m_bitsPerPixel = 0;
  m_hasAlpha = false;
  m_images.clear();
}

Qel::PixelFormat SquishImageSet::GetPixelFormat() const {
  if (m_bitsPerPixel == 32 && m_hasAlpha) return Qel::kPixelFormatA8R8G8B8;
  if (m_bitsPerPixel == 16 && !m_hasAlpha) return Qel::kPixelFormatA4R4G4B4;
  return Qel::PixelFormat(0);
}

SquishImageLayout SquishImageSet::GetLayout() const {
  const int32_t bits = GetPixelFormat().GetBitsPerPixel();
  return SquishImageLayout{m_width, m_height, bits, static_cast<int32_t>((int64_t{m_width} * bits) / 8)};
}

uint64_t SquishImageSet::GetBufferSize() const {
  const SquishImageLayout layout = GetLayout();
  return uint64_t(layout.height) * static_cast<uint64_t>(layout.pitch);
}
