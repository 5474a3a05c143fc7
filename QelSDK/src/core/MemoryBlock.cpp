// The heap-backed memory block.
#include "core/MemoryBlock.h"

#include <cstdlib>
#include <cstring>

namespace Qel {

MemoryBlock::~MemoryBlock() {
  std::free(m_data);
}

bool MemoryBlock::Allocate(uint32_t size) {
  if (m_data) return false;
  // malloc(0) may answer null; a held zero-byte block still counts as allocated.
  auto* data = static_cast<uint8_t*>(std::malloc(size ? size : 1));
  if (!data) return false;
  m_data = data;
  m_size = size;
  return true;
}

bool MemoryBlock::Resize(uint32_t size) {
  if (!m_data) return Allocate(size);
  auto* data = static_cast<uint8_t*>(std::malloc(size ? size : 1));
  if (!data) return false;
  std::memcpy(data, m_data, size < m_size ? size : m_size);
  std::free(m_data);
  m_data = data;
  m_size = size;
  return true;
}

}  // namespace Qel
