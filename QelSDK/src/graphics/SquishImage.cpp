// One stored image: its header, its place in the set and its encoded pixel data.
#include "graphics/SquishImage.h"

#include <algorithm>
#include <cstring>

#include "core/LittleEndian.h"
#include "core/Trace.h"
#include "core/WindowsMemoryBlock.h"
#include "graphics/SquishFile.h"

namespace {

// A file that cannot tell its size gets no image data larger than this.
constexpr uint32_t kMaxDataOfUnsizedFile = 64u << 20;

// Locked while in use, as a moveable block must be.
class BlockLock {
public:
  explicit BlockLock(MoveableMemoryBlock& block) : m_block(block), m_bytes(block.Lock()) {}
  ~BlockLock() { m_block.Unlock(); }
  BlockLock(const BlockLock&) = delete;
  BlockLock& operator=(const BlockLock&) = delete;
  uint8_t* Bytes() const { return m_bytes; }

private:
  MoveableMemoryBlock& m_block;
  uint8_t* m_bytes;
};

// The image's data as units of one pixel, read little-endian; reading stops at the data's end.
class UnitReader {
public:
  UnitReader(const uint8_t* data, uint32_t size, int unitBytes)
      : m_data(data), m_size(size), m_unitBytes(unitBytes) {}

  bool Next(uint32_t& value) {
    if (m_size - m_position < static_cast<uint32_t>(m_unitBytes)) return false;
    const uint8_t* p = m_data + m_position;
    m_position += m_unitBytes;
    value = m_unitBytes == 1 ? p[0] : m_unitBytes == 2 ? Qel::ReadLE16(p) : Qel::ReadLE32(p);
    return true;
  }
  // Moves past count units; false when the data ends first.
  bool Skip(uint64_t count) {
    const uint64_t bytes = count * m_unitBytes;
    if (bytes > m_size - m_position) {
      m_position = m_size;
      return false;
    }
    m_position += static_cast<uint32_t>(bytes);
    return true;
  }

private:
  const uint8_t* m_data;
  uint32_t m_size;
  uint32_t m_position = 0;
  int m_unitBytes;
};

void StoreUnit(uint8_t* to, uint32_t value, int unitBytes) {
  switch (unitBytes) {
    case 1:
      to[0] = static_cast<uint8_t>(value);
      break;
    case 2:
      Qel::WriteLE16(to, static_cast<uint16_t>(value));
      break;
    default:
      Qel::WriteLE32(to, value);
      break;
  }
}

struct Region {
  uint8_t* destination;
  int32_t pitch;
  // Rows and pixels per row that may be written.
  int32_t rows;
  int32_t columns;
};

void DecodeRaw(const uint8_t* data, uint32_t size, uint32_t sourcePitch, int unitBytes,
               const Region& region) {
  const size_t rowBytes = static_cast<size_t>(region.columns) * unitBytes;
  for (int32_t y = 0; y < region.rows; ++y) {
    const uint64_t at = uint64_t{sourcePitch} * y;
    if (at >= size) return;
    const size_t n = std::min<uint64_t>(rowBytes, size - at);
    std::memcpy(region.destination + static_cast<ptrdiff_t>(y) * region.pitch, data + at, n);
  }
}

// Each row takes units until it holds width pixels. A run is cut at the row's end: its pixels past the
// end are dropped (a literal run's values are still read past), so nothing lands outside the row.
void DecodeRunLength(const uint8_t* data, uint32_t size, int width, int unitBytes, const Region& region) {
  const uint32_t top = 1u << (unitBytes * 8 - 1);
  UnitReader units(data, size, unitBytes);
  for (int32_t y = 0; y < region.rows; ++y) {
    uint8_t* row = region.destination + static_cast<ptrdiff_t>(y) * region.pitch;
    int64_t x = 0;
    while (x < width) {
      uint32_t unit = 0;
      if (!units.Next(unit)) return;
      const uint64_t count = uint64_t{unit & (top - 1)} + 1;
      const int64_t room = std::max<int64_t>(0, std::min<int64_t>(region.columns, width) - x);
      const int64_t written = std::min<int64_t>(room, static_cast<int64_t>(count));
      if (unit & top) {
        for (int64_t i = 0; i < written; ++i) {
          uint32_t value = 0;
          if (!units.Next(value)) return;
          StoreUnit(row + (x + i) * unitBytes, value, unitBytes);
        }
        if (!units.Skip(count - static_cast<uint64_t>(written))) return;
      } else {
        uint32_t value = 0;
        if (!units.Next(value)) return;
        for (int64_t i = 0; i < written; ++i) StoreUnit(row + (x + i) * unitBytes, value, unitBytes);
      }
      x += static_cast<int64_t>(std::min<uint64_t>(count, static_cast<uint64_t>(width - x)));
    }
  }
}

}  // namespace

SquishImage::SquishImage() = default;
SquishImage::~SquishImage() = default;

bool SquishImage::Read(SquishFile& file) {
  m_data.reset();
  m_dataSize = 0;
  if (!m_header.Read(file)) return false;
  uint8_t position[4] = {};
  if (!file.Read(position, sizeof position)) return false;
  m_x = Qel::ReadLE16(position);
  m_y = Qel::ReadLE16(position + 2);

  uint32_t size = m_header.GetDataSize();
  const int64_t left = file.GetBytesLeft();
  if (left < 0 && size > kMaxDataOfUnsizedFile) {
    Qel::Trace("WARN: stored image refused: %u bytes of data in a file that cannot tell its size.\n", size);
    return false;
  }
  if (left >= 0 && size > left) {
    // The file ends inside the data: what arrived decodes, the pixels it did not reach keep what the
    // buffer held. Only the bytes the file has are allocated, whatever size the header claims.
    Qel::Trace("WARN: stored image cut short: %u bytes of data, the file holds %lld.\n", size,
               static_cast<long long>(left));
    size = static_cast<uint32_t>(left);
  }
  auto block = std::make_unique<WindowsMemoryBlock>(size);
  BlockLock lock(*block);
  if (!lock.Bytes() && size > 0) return false;
  if (size > 0) {
    // A file that ends early still counts as read; what it did not deliver stays 0.
    std::memset(lock.Bytes(), 0, size);
    if (!file.Read(lock.Bytes(), size)) return false;
  }
  m_data = std::move(block);
  m_dataSize = size;
  return true;
}

bool SquishImage::Decode(uint8_t* destination, const SquishImageLayout& layout) const {
  if (!m_data || m_dataSize == 0) return false;
  if (m_header.GetBitsPerPixel() != layout.bitsPerPixel) return false;
  const int bits = m_header.GetBitsPerPixel();
  if (bits != 8 && bits != 16 && bits != 32) return true;
  const uint32_t encoding = m_header.GetEncoding();
  if (encoding != SquishImageHeader::kEncodingRaw && encoding != SquishImageHeader::kEncodingRunLength)
    return true;
  const int unitBytes = bits / 8;
  const Region region{destination, layout.pitch, std::min<int32_t>(layout.height, m_header.GetHeight()),
                      std::min<int32_t>(layout.width, m_header.GetWidth())};
  if (region.rows <= 0 || region.columns <= 0) return true;
  BlockLock lock(*m_data);
  if (encoding == SquishImageHeader::kEncodingRaw) {
    DecodeRaw(lock.Bytes(), m_dataSize, m_header.GetPitch(), unitBytes, region);
  } else {
    DecodeRunLength(lock.Bytes(), m_dataSize, m_header.GetWidth(), unitBytes, region);
  }
  return true;
}
