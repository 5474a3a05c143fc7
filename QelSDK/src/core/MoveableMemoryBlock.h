// A raw, resizable pixel buffer that is locked for access.
#pragma once

#include <cstdint>

class MoveableMemoryBlock {
public:
  virtual ~MoveableMemoryBlock() = default;
  virtual uint8_t* Lock() = 0;
  virtual void Unlock() = 0;
  // The buffer at its new size, or null when it cannot grow (the old buffer is then kept).
  virtual uint8_t* Resize(uint32_t size) = 0;
};
