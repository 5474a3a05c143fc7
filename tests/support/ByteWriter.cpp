// A little-endian byte writer for building records in tests.
#include "support/ByteWriter.h"

namespace test {

ByteWriter& ByteWriter::U8(uint8_t value) {
  m_data.push_back(value);
  return *this;
}

ByteWriter& ByteWriter::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value));
  return U8(static_cast<uint8_t>(value >> 8));
}

ByteWriter& ByteWriter::U32(uint32_t value) {
  U16(static_cast<uint16_t>(value));
  return U16(static_cast<uint16_t>(value >> 16));
}

ByteWriter& ByteWriter::Bytes(const std::vector<uint8_t>& bytes) {
  m_data.insert(m_data.end(), bytes.begin(), bytes.end());
  return *this;
}

ByteWriter& ByteWriter::Bytes(const void* bytes, size_t size) {
  const auto* begin = static_cast<const uint8_t*>(bytes);
  m_data.insert(m_data.end(), begin, begin + size);
  return *this;
}

}  // namespace test
