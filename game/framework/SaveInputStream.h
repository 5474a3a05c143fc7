// The reader of a save file: values in little-endian order, one at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Stream.h"

// A value the file cannot deliver in full reads as 0 and marks the stream as short, so that the
// caller can refuse a file that ended too soon instead of taking the zeros for the player's data.
class SaveInputStream {
public:
  SaveInputStream() = default;
  ~SaveInputStream() { Close(); }
  SaveInputStream(const SaveInputStream&) = delete;
  SaveInputStream& operator=(const SaveInputStream&) = delete;

  // Opens an existing file of that name, a path relative to the working folder; false when there is
  // none or it cannot be read.
  bool Open(const char* name);
  uint32_t ReadU32();
  uint8_t ReadU8();
  // Whether every value read since the open was delivered in full.
  bool HasReadAll() const { return m_readAll; }
  void Close() { m_stream.reset(); }

private:
  // False, and the stream marked short, unless all size bytes arrive.
  bool ReadBytes(uint8_t* bytes, uint32_t size);

  std::shared_ptr<Qel::Stream> m_stream;
  bool m_readAll = true;
};
