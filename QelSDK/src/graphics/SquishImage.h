// One stored image: its header, its place in the set and its encoded pixel data.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/SquishImageHeader.h"
#include "graphics/SquishImageLayout.h"

class MoveableMemoryBlock;
class SquishFile;

class SquishImage {
public:
  SquishImage();
  ~SquishImage();
  SquishImage(const SquishImage&) = delete;
  SquishImage& operator=(const SquishImage&) = delete;

  // Header (with its palette block), position, then the data; false at the first failed read. Data
  // that the file ends inside is held as far as it goes.
  bool Read(SquishFile& file);
  // Decodes into destination, a region of layout's size and depth; nothing is written outside it
  // (runs stop at the row's end, reads at the data's end). False without data or for another depth.
  bool Decode(uint8_t* destination, const SquishImageLayout& layout) const;

  const SquishImageHeader& GetHeader() const { return m_header; }
  uint16_t GetX() const { return m_x; }
  uint16_t GetY() const { return m_y; }
  // The bytes actually held, which a file that cannot tell its size may leave below the header's count.
  uint32_t GetDataSize() const { return m_dataSize; }

private:
  SquishImageHeader m_header;
  uint16_t m_x = 0;
  uint16_t m_y = 0;
  std::unique_ptr<MoveableMemoryBlock> m_data;
  uint32_t m_dataSize = 0;
};
