// A stream whose reads need memory that cannot be had, as the buffers behind a huge member would:
// every read throws std::bad_alloc, and the stream claims the size it is given.
#pragma once

#include <cstdint>
#include <memory>
#include <new>

#include "core/Stream.h"

namespace test {

class OutOfMemoryStream : public Qel::Stream {
public:
  explicit OutOfMemoryStream(uint32_t size) : m_size(size) {}

  bool Read(void*, uint32_t&) override { throw std::bad_alloc(); }
  bool Write(const void*, uint32_t) override { return false; }
  bool Seek(int32_t, int) override { return false; }
  uint32_t Tell() override { return 0; }
  bool Flush() override { return true; }
  bool SetError(int) override { return true; }
  int TakeError() override { return Qel::kStreamErrorNone; }
  uint32_t GetSize() override { return m_size; }
  void Clone(std::shared_ptr<Qel::Stream>& out) override { out.reset(); }

private:
  uint32_t m_size;
};

}  // namespace test
