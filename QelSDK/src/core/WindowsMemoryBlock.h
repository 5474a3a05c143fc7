// The heap-backed moveable block used for image pixel data.
#pragma once

#include "core/MoveableMemoryBlock.h"

class WindowsMemoryBlock : public MoveableMemoryBlock {
public:
  explicit WindowsMemoryBlock(uint32_t size);
  ~WindowsMemoryBlock() override;
  WindowsMemoryBlock(const WindowsMemoryBlock&) = delete;
  WindowsMemoryBlock& operator=(const WindowsMemoryBlock&) = delete;

  uint8_t* Lock() override { return m_data; }
  void Unlock() override {}
  uint8_t* Resize(uint32_t size) override;

private:
  uint8_t* m_data;
};
