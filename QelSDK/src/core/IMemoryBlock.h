// A resizable block of bytes that holds a resource loaded whole.
#pragma once

#include <cstdint>

namespace Qel {

class IMemoryBlock {
public:
  virtual ~IMemoryBlock() = default;
  virtual bool Allocate(uint32_t size) = 0;
  virtual bool Resize(uint32_t size) = 0;
  virtual uint8_t* GetData() = 0;
  virtual uint32_t GetSize() = 0;
};

}  // namespace Qel
