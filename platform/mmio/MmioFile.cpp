// An open RIFF file: a kernel file handle behind a read-ahead buffer that callers may read directly.
#include "platform/mmio/MmioFile.h"

#include <algorithm>
#include <cstring>

#include "platform/win/kernel/Files.h"

namespace plat::mmio {

MmioFile::MmioFile(plat::win::HANDLE handle, uint64_t fileSize, DWORD bufferSize)
    : file(handle), size(fileSize), buffer(bufferSize) {}

MmioFile::~MmioFile() {
  plat::win::CloseHandle(file);
}

void MmioFile::SeekTo(uint64_t position) {
  if (position >= bufferOffset && position - bufferOffset <= valid) {
    next = static_cast<DWORD>(position - bufferOffset);
    return;
  }
  bufferOffset = position;
  valid = 0;
  next = 0;
}

bool MmioFile::Refill() {
  bufferOffset += next;
  valid = 0;
  next = 0;
  if (bufferOffset >= size) return true;  // the end: nothing more to read
  LONG high = static_cast<LONG>(bufferOffset >> 32);
  const DWORD low = plat::win::SetFilePointer(file, static_cast<LONG>(static_cast<uint32_t>(bufferOffset)),
                                              &high, plat::win::FILE_BEGIN);
  if (low == plat::win::INVALID_SET_FILE_POINTER) return false;
  DWORD got = 0;
  if (!plat::win::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
    return false;
  valid = got;
  return true;
}

int64_t MmioFile::Read(char* out, uint64_t count) {
  uint64_t total = 0;
  while (total < count) {
    if (next == valid) {
      if (!Refill()) return -1;
      if (valid == 0) break;
    }
    const uint64_t part = std::min<uint64_t>(count - total, valid - next);
    std::memcpy(out + total, buffer.data() + next, part);
    next += static_cast<DWORD>(part);
    total += part;
  }
  return static_cast<int64_t>(total);
}

}  // namespace plat::mmio
