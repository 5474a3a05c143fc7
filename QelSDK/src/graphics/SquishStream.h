// The stored-image reader over an engine stream.
#pragma once

#include "graphics/SquishFile.h"

namespace Qel {
class Stream;
}

class SquishStream : public SquishFile {
public:
  // The stream is not owned.
  explicit SquishStream(Qel::Stream* stream) : m_stream(stream) {}

  bool CanRead() const override { return true; }
  bool CanWrite() const override { return true; }
  bool Write(const void* buffer, uint32_t size) override;
  // A read cut short by the end of the data still counts as done: a truncated set decodes what it holds.
  bool Read(void* buffer, uint32_t size) override;
  bool Seek(int32_t offset, int origin) override;
  int64_t GetBytesLeft() override;

private:
  Qel::Stream* m_stream;
};
