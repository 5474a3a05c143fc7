// The byte stream that files, archive members and memory share.
#pragma once

#include <cstdint>
#include <memory>

namespace Qel {

// Error codes a stream keeps after a failed operation.
enum StreamError : int {
  kStreamErrorNone = 0,
  kStreamErrorRead = 1,   // also: corrupt archive data
  kStreamErrorWrite = 2,  // also: a memory stream failed to grow
  kStreamErrorOpen = 3,   // also: an archive member that cannot be set up
  kStreamErrorSeek = 5,   // also: the stream has no data
  kStreamErrorEnd = 6,    // a read delivered fewer bytes than wanted
};

// Seek origins.
enum SeekOrigin : int {
  kSeekStart = 1,
  kSeekEnd = 2,
  kSeekCurrent = 3,
};

inline constexpr uint32_t kInvalidStreamValue = 0xFFFFFFFFu;

class Stream {
public:
  virtual ~Stream() = default;

  // size in: bytes wanted; out: bytes delivered.
  virtual bool Read(void* buffer, uint32_t& size) = 0;
  virtual bool Write(const void* buffer, uint32_t size) = 0;
  virtual bool Seek(int32_t offset, int origin) = 0;
  // kInvalidStreamValue when the stream has no data or is closed.
  virtual uint32_t Tell() = 0;
  virtual bool Flush() = 0;
  virtual bool SetError(int code) = 0;
  // The last error code, which is then cleared.
  virtual int TakeError() = 0;
  // kInvalidStreamValue when the size cannot be found.
  virtual uint32_t GetSize() = 0;
  // An independent stream over the same data at the same position; null on failure.
  virtual void Clone(std::shared_ptr<Stream>& out) = 0;
};

}  // namespace Qel
