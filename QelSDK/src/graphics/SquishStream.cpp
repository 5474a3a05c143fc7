// The stored-image reader over an engine stream.
#include "graphics/SquishStream.h"

#include "core/Stream.h"

bool SquishStream::Write(const void* buffer, uint32_t size) {
  return m_stream && m_stream->Write(buffer, size);
}

bool SquishStream::Read(void* buffer, uint32_t size) {
  if (!m_stream) return false;
  uint32_t delivered = size;
  if (m_stream->Read(buffer, delivered)) return true;
  return m_stream->TakeError() == Qel::kStreamErrorEnd;
}

bool SquishStream::Seek(int32_t offset, int origin) {
  return m_stream && m_stream->Seek(offset, origin);
}

int64_t SquishStream::GetBytesLeft() {
  if (!m_stream) return -1;
  const uint32_t size = m_stream->GetSize();
  const uint32_t position = m_stream->Tell();
  if (size == Qel::kInvalidStreamValue || position == Qel::kInvalidStreamValue || position > size) return -1;
  return int64_t{size} - position;
}
