// Movie bytes in memory that the caller keeps: the fuzz target's and the tests' source.
#include "platform/bink/MemorySource.h"

#include <algorithm>
#include <cstring>

namespace plat::bink {

int64_t MemorySource::Read(uint8_t* buffer, size_t size) {
  const size_t count = std::min(size, m_size - m_position);
  if (count > 0) std::memcpy(buffer, m_data + m_position, count);
  m_position += count;
  return static_cast<int64_t>(count);
}

int64_t MemorySource::Seek(int64_t position) {
  // A position past the end reads as the end, as a file's does.
  if (position < 0) return -1;
  m_position = std::min(static_cast<uint64_t>(position), static_cast<uint64_t>(m_size));
  return static_cast<int64_t>(m_position);
}

}  // namespace plat::bink
