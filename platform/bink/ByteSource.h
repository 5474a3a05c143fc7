// Where a movie's bytes come from: a file or memory, read and sought as FFmpeg's I/O asks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::bink {

class ByteSource {
public:
  virtual ~ByteSource() = default;

  // Up to size bytes at the position, which moves past them; 0 at the end, -1 on a read error.
  virtual int64_t Read(uint8_t* buffer, size_t size) = 0;
  // The new position, or -1 for one before the start or that cannot be reached.
  virtual int64_t Seek(int64_t position) = 0;
  virtual int64_t Position() const = 0;
  // -1 when unknown.
  virtual int64_t Size() const = 0;
};

}  // namespace plat::bink
