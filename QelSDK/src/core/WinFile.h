// The stream over an open Windows file.
#pragma once

#include <cstdint>
#include <memory>

#include "core/IFile.h"
#include "core/IFileSpec.h"
#include "core/Stream.h"
#include "platform/win/kernel/Types.h"

namespace Qel {

class WinFile : public Stream, public IFile {
public:
  WinFile() = default;
  ~WinFile() override;
  WinFile(const WinFile&) = delete;
  WinFile& operator=(const WinFile&) = delete;

  // Closes any open file first. A failed open sets kStreamErrorOpen. Either way the file keeps a
  // specification of its own with the spec's path.
  bool Open(const std::shared_ptr<IFileSpec>& spec, uint32_t mode) override;
  void GetFileSpec(std::shared_ptr<IFileSpec>& out) override { out = m_spec; }
  bool Close() override;
  // Cuts or extends the file; the position stays where it was.
  bool SetSize(uint32_t size) override;

  // A short read that delivers at least one byte succeeds; one that delivers none sets
  // kStreamErrorEnd.
  bool Read(void* buffer, uint32_t& size) override;
  bool Write(const void* buffer, uint32_t size) override;
  // Origins other than kSeekStart, kSeekEnd and kSeekCurrent go to the file system unchanged.
  bool Seek(int32_t offset, int origin) override;
  uint32_t Tell() override;
  // Waits until what was written is on the storage device; false for a file not open for writing.
  bool Flush() override;
  bool SetError(int code) override;
  int TakeError() override;
  // kInvalidStreamValue also for a file that does not fit in 32 bits.
  uint32_t GetSize() override;
  // A file of its own, opened for reading on the same path at the same position.
  void Clone(std::shared_ptr<Stream>& out) override;

private:
  // Moves to an absolute position over the full 32-bit range.
  bool MoveTo(uint32_t position);

  plat::win::HANDLE m_handle = nullptr;
  std::shared_ptr<IFileSpec> m_spec;
  int m_error = kStreamErrorNone;
};

}  // namespace Qel
