// The heap-backed moveable block used for image pixel data.
#include "core/WindowsMemoryBlock.h"

#include <cstdlib>

WindowsMemoryBlock::WindowsMemoryBlock(uint32_t size) : m_data(static_cast<uint8_t*>(std::malloc(size))) {}

WindowsMemoryBlock::~WindowsMemoryBlock() {
  std::free(m_data);
}

uint8_t* WindowsMemoryBlock::Resize(uint32_t size) {
  // A failed realloc leaves the old buffer allocated; keep it rather than lose the pixels.
  auto* data = static_cast<uint8_t*>(std::realloc(m_data, size ? size : 1));
  if (!data) return nullptr;
  m_data = data;
  return m_data;
}
