// Movie bytes in memory that the caller keeps: the fuzz target's and the tests' source.
#pragma once

#include "platform/bink/ByteSource.h"

namespace plat::bink {

class MemorySource final : public ByteSource {
public:
  MemorySource(const void* data, size_t size) : m_data(static_cast<const uint8_t*>(data)), m_size(size) {}

  int64_t Read(uint8_t* buffer, size_t size) override;
  int64_t Seek(int64_t position) override;
  int64_t Position() const override { return static_cast<int64_t>(m_position); }
  int64_t Size() const override { return static_cast<int64_t>(m_size); }

private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_position = 0;
};

}  // namespace plat::bink
