// The stream over a memory block: resources loaded whole are read through it, and writes grow it.
#include "core/MemStream.h"

#include <algorithm>
#include <cstring>

#include "core/MemoryBlock.h"

namespace Qel {

namespace {
constexpr uint32_t kMinGrowth = 1024;
}

uint32_t MemStream::Position() const {
  return std::min(m_position, Size());
}

bool MemStream::SetError(int code) {
  m_error = code;
  return true;
}

int MemStream::TakeError() {
  const int code = m_error;
  SetError(kStreamErrorNone);
  return code;
}

void MemStream::SetMemoryBlock(const std::shared_ptr<IMemoryBlock>& block) {
  m_block = block;
  m_position = 0;
}

bool MemStream::Read(void* buffer, uint32_t& size) {
  const uint32_t remaining = HasData() ? Size() - Position() : 0;
  if (!buffer || remaining == 0) {
    size = 0;
    return false;
  }
  const uint8_t* current = m_block->GetData() + Position();
  if (size <= remaining) {
    std::memcpy(buffer, current, size);
    m_position = Position() + size;
    return true;
  }
  std::memcpy(buffer, current, remaining);
  size = remaining;
  m_position = Size();
  SetError(kStreamErrorEnd);
  return false;
}

bool MemStream::Write(const void* buffer, uint32_t size) {
  if (!buffer) return false;
  uint32_t remaining = HasData() ? Size() - Position() : 0;
  if (remaining == 0) {
    Grow(std::max(size, kMinGrowth));
  } else if (remaining < size) {
    Grow(size - remaining);
  }
  remaining = HasData() ? Size() - Position() : 0;
  uint8_t* current = HasData() ? m_block->GetData() + Position() : nullptr;
  if (size <= remaining) {
    if (size) std::memcpy(current, buffer, size);
    m_position = Position() + size;
    return true;
  }
  if (remaining) std::memcpy(current, buffer, remaining);
  m_position = Size();
  SetError(kStreamErrorWrite);
  return false;
}

// Growth adds max(2 * request, 1024) bytes. A block that others also hold is never resized under
// them: the stream moves to a grown copy of its own, and the other holders keep their bytes.
bool MemStream::Grow(uint32_t request) {
  const uint64_t extra = std::max<uint64_t>(2ull * request, kMinGrowth);
  const uint64_t newSize = static_cast<uint64_t>(Size()) + extra;
  if (newSize > 0xFFFFFFFFull) {
    SetError(kStreamErrorWrite);
    return false;
  }
  const uint32_t position = Position();
  if (m_block && m_block.use_count() == 1) {
    if (!m_block->Resize(static_cast<uint32_t>(newSize))) {
      SetError(kStreamErrorWrite);
      return false;
    }
    m_position = position;
    return true;
  }
  auto grown = std::make_shared<MemoryBlock>();
  if (!grown->Allocate(static_cast<uint32_t>(newSize))) {
    SetError(kStreamErrorWrite);
    return false;
  }
  if (HasData()) std::memcpy(grown->GetData(), m_block->GetData(), Size());
  // A fresh stream starts at 0; a copied block keeps the position it had.
  const bool hadBlock = m_block != nullptr;
  SetMemoryBlock(grown);
  if (hadBlock) m_position = position;
  return true;
}

bool MemStream::Seek(int32_t offset, int origin) {
  if (!HasData()) {
    SetError(kStreamErrorSeek);
    return false;
  }
  const int64_t size = Size();
  int64_t target = 0;
  switch (origin) {
    case kSeekStart:
      target = offset;
      break;
    case kSeekEnd:
      target = size + offset;
      break;
    case kSeekCurrent:
      target = static_cast<int64_t>(Position()) + offset;
      break;
    default:
      return true;
  }
  if (target < 0 || target > size) {
    SetError(kStreamErrorSeek);
    return false;
  }
  m_position = static_cast<uint32_t>(target);
  return true;
}

uint32_t MemStream::Tell() {
  return HasData() ? Position() : kInvalidStreamValue;
}

uint32_t MemStream::GetSize() {
  return HasData() ? Size() : kInvalidStreamValue;
}

void MemStream::Clone(std::shared_ptr<Stream>& out) {
  auto clone = std::make_shared<MemStream>();
  clone->SetMemoryBlock(m_block);
  if (!clone->Seek(static_cast<int32_t>(Tell()), kSeekStart)) {
    out.reset();
    return;
  }
  out = clone;
}

}  // namespace Qel
