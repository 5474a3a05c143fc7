// An open RIFF file: a kernel file handle behind a read-ahead buffer that callers may read directly.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/mmio/Mmio.h"
#include "platform/win/kernel/Types.h"

namespace plat::mmio {

// The logical position is bufferOffset + next. Seeks move only that position; the file is read when the
// buffer is used up, so a seek within what is buffered costs nothing.
struct MmioFile {
  MmioFile(plat::win::HANDLE handle, uint64_t size, DWORD bufferSize);
  ~MmioFile();
  MmioFile(const MmioFile&) = delete;
  MmioFile& operator=(const MmioFile&) = delete;

  uint64_t Position() const { return bufferOffset + next; }
  void SeekTo(uint64_t position);
  // Reads the next buffer-full from the logical position; false on a read error.
  bool Refill();
  // Up to count bytes from the logical position; -1 on a read error.
  int64_t Read(char* out, uint64_t count);

  plat::win::HANDLE file;
  uint64_t size;
  std::vector<char> buffer;  // never resized: callers hold pointers into it
  uint64_t bufferOffset = 0;
  DWORD valid = 0;  // bytes of the buffer read from the file
  DWORD next = 0;   // index of the logical position in the buffer
};

}  // namespace plat::mmio
