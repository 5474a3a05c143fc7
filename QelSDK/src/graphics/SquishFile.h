// The stored-image reader's view of a file: read, write and seek, with nothing behind them by default.
#pragma once

#include <cstdint>

class SquishFile {
public:
  SquishFile() = default;
  virtual ~SquishFile() = default;
  SquishFile(const SquishFile&) = delete;
  SquishFile& operator=(const SquishFile&) = delete;

  virtual bool CanRead() const { return false; }
  virtual bool CanWrite() const { return false; }
  virtual bool Write(const void* buffer, uint32_t size);
  virtual bool Read(void* buffer, uint32_t size);
  // Origins as the engine's streams number them: 1 start, 2 end, 3 current.
  virtual bool Seek(int32_t offset, int origin);
  // Bytes from the position to the end, or -1 when the file cannot tell: sizes read from the file are
  // checked against it before anything is allocated for them.
  virtual int64_t GetBytesLeft() { return -1; }
};
