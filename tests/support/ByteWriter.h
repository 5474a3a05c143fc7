// A little-endian byte writer for building records in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace test {

class ByteWriter {
public:
  ByteWriter& U8(uint8_t value);
  ByteWriter& U16(uint16_t value);
  ByteWriter& U32(uint32_t value);
  ByteWriter& Bytes(const std::vector<uint8_t>& bytes);
  ByteWriter& Bytes(const void* bytes, size_t size);

  const std::vector<uint8_t>& Data() const { return m_data; }
  std::vector<uint8_t> Take() { return std::move(m_data); }
  // The bytes as a string, as the stream helpers of the tests take them.
  std::string String() const { return std::string(m_data.begin(), m_data.end()); }
  size_t Size() const { return m_data.size(); }

private:
  std::vector<uint8_t> m_data;
};

}  // namespace test
