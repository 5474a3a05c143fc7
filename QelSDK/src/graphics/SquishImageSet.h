// A stored-image set: the images of one sprite frame in the encoding of sprite files below version 7.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/PixelFormat.h"
#include "graphics/SquishImage.h"
#include "graphics/SquishImageLayout.h"

class SquishFile;

class SquishImageSet {
public:
  SquishImageSet() = default;
  ~SquishImageSet() = default;
  SquishImageSet(const SquishImageSet&) = delete;
  SquishImageSet& operator=(const SquishImageSet&) = delete;

  // Empties the set and reads it; false at the first image that fails to read (the images before it
  // stay). Images of another depth than the set's are dropped; the set grows to cover every image.
  bool Read(SquishFile& file);
  // Decodes every image at its position into buffer; false at the first image that fails.
  bool Decode(uint8_t* buffer, const SquishImageLayout& layout) const;
  void Clear();

  // 32 bits with alpha: A8R8G8B8; 16 bits without: A4R4G4B4; anything else the empty format.
  Qel::PixelFormat GetPixelFormat() const;
  // The set's size and its format's depth, rows packed without padding.
  SquishImageLayout GetLayout() const;
  // Bytes of a buffer in GetLayout, computed in 64 bits.
  uint64_t GetBufferSize() const;

  int32_t GetWidth() const { return m_width; }
  int32_t GetHeight() const { return m_height; }
  int32_t GetBitsPerPixel() const { return m_bitsPerPixel; }
  bool HasAlpha() const { return m_hasAlpha; }
  size_t GetImageCount() const { return m_images.size(); }
  const SquishImage& GetImage(size_t index) const { return *m_images[index]; }

private:
  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_bitsPerPixel = 0;
  bool m_hasAlpha = false;
  std::vector<std::unique_ptr<SquishImage>> m_images;
};
