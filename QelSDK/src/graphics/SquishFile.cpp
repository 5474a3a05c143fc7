// The stored-image reader's view of a file: read, write and seek, with nothing behind them by default.
#include "graphics/SquishFile.h"

bool SquishFile::Write(const void*, uint32_t) {
  return false;
}

bool SquishFile::Read(void*, uint32_t) {
  return false;
}

bool SquishFile::Seek(int32_t, int) {
  return false;
}
