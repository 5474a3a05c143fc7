// The stream over a memory block: resources loaded whole are read through it, and writes grow it.
#pragma once

#include <memory>

#include "core/IMemStream.h"
#include "core/Stream.h"

namespace Qel {

class MemStream : public Stream, public IMemStream {
public:
  MemStream() = default;

  bool Read(void* buffer, uint32_t& size) override;
  bool Write(const void* buffer, uint32_t size) override;
  bool Seek(int32_t offset, int origin) override;
  uint32_t Tell() override;
  bool Flush() override { return true; }
  bool SetError(int code) override;
  int TakeError() override;
  // The block's size, which after writing includes the unwritten reserve.
  uint32_t GetSize() override;
  // The clone shares the block; no bytes are copied.
  void Clone(std::shared_ptr<Stream>& out) override;

  void GetMemoryBlock(std::shared_ptr<IMemoryBlock>& out) override { out = m_block; }
  // Position 0 in the new block.
  void SetMemoryBlock(const std::shared_ptr<IMemoryBlock>& block) override;

private:
  // The block is asked for its bytes and size at every use, never cached, so that a clone or
  // another holder that changes the block cannot leave this stream pointing at freed memory.
  bool HasData() const { return m_block && m_block->GetData(); }
  uint32_t Size() const { return m_block ? m_block->GetSize() : 0; }
  uint32_t Position() const;
  bool Grow(uint32_t request);

  std::shared_ptr<IMemoryBlock> m_block;
  uint32_t m_position = 0;
  int m_error = kStreamErrorNone;
};

}  // namespace Qel
