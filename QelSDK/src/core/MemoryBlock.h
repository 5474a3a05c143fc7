// The heap-backed memory block.
#pragma once

#include "core/IMemoryBlock.h"

namespace Qel {

class MemoryBlock : public IMemoryBlock {
public:
  MemoryBlock() = default;
  ~MemoryBlock() override;
  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;

  // False when a buffer is already held.
  bool Allocate(uint32_t size) override;
  // Keeps the first min(old, new) bytes; unchanged on failure.
  bool Resize(uint32_t size) override;
  uint8_t* GetData() override { return m_data; }
  uint32_t GetSize() override { return m_size; }

private:
  uint8_t* m_data = nullptr;
  uint32_t m_size = 0;
};

}  // namespace Qel
