// The stream over one member of a zip archive: stored members are read as they lie, deflated ones
// through zlib's raw inflate.
#pragma once

#include <cstdint>
#include <memory>

#include <zlib.h>

#include "core/MemoryBlock.h"
#include "core/Stream.h"
#include "core/ZipEntryRecord.h"

namespace Qel {

class ZipEntry : public Stream {
public:
  // Inflated bytes wait in a buffer of kBufferSize for small reads. Compressed bytes are read in
  // larger pieces: every piece costs a seek and a read of the archive, and loading a member whole
  // should cost little more than inflating it.
  static constexpr uint32_t kBufferSize = 10240;
  static constexpr uint32_t kInputBufferSize = 65536;
  static constexpr uint16_t kMethodStored = 0;
  static constexpr uint16_t kMethodDeflated = 8;

  ZipEntry() = default;
  ~ZipEntry() override;
  ZipEntry(const ZipEntry&) = delete;
  ZipEntry& operator=(const ZipEntry&) = delete;

  // Sets the member up for reading from its first byte. The first open of a record reads the local
  // header and writes the data offset back into the record. False, with the error set, when the
  // member cannot be read: no archive, an unknown method, a bad local header or data that would lie
  // beyond the end of the archive.
  bool Open(ZipEntryRecord& record, const std::shared_ptr<Stream>& archive);

  // size is set to the bytes delivered; true only when all were. A read cut short by the member's
  // end sets error 6, and so does a deflated read that merely reaches the end.
  bool Read(void* buffer, uint32_t& size) override;
  bool Write(const void* buffer, uint32_t size) override;
  // Origin end counts a positive offset back from the end. Moving back rewinds and skips forward.
  bool Seek(int32_t offset, int origin) override;
  uint32_t Tell() override { return m_position; }
  bool Flush() override { return true; }
  bool SetError(int code) override;
  int TakeError() override;
  uint32_t GetSize() override { return m_uncompressedSize; }
  // Reads through a clone of the archive stream, from this stream's position.
  void Clone(std::shared_ptr<Stream>& out) override;

private:
  bool Rewind();
  bool SkipTo(uint32_t target);
  bool ReadStored(uint8_t* buffer, uint32_t& size);
  bool ReadDeflated(uint8_t* buffer, uint32_t& size);
  // Fills the input buffer from the archive; false with error 1 when no compressed byte is left.
  bool RefillInput();
  // One inflate call into [out, out + room); false with error 1 on corrupt data or no progress.
  bool Inflate(uint8_t* out, uint32_t room, uint32_t& produced);
  // Reads from the archive at this member's own offset: members of one archive share its stream,
  // so each read first puts the file position back where this member left off.
  bool ReadArchive(uint64_t offset, uint8_t* buffer, uint32_t& size);
  void EndInflate();

  std::shared_ptr<Stream> m_archive;
  MemoryBlock m_input;
  MemoryBlock m_output;
  uint32_t m_inputRead = 0;  // inflate's next input byte
  uint32_t m_inputEnd = 0;
  uint32_t m_outputRead = 0;  // next byte to deliver
  uint32_t m_outputEnd = 0;
  z_stream m_zstream{};
  bool m_inflating = false;
  bool m_streamEnded = false;  // inflate saw the end of the deflate stream
  bool m_padFed = false;       // the one zero byte after the compressed data was handed to inflate
  bool m_broken = false;       // corrupt data: reads fail until a rewind

  uint32_t m_dataOffset = 0;
  uint32_t m_compressedSize = 0;
  uint32_t m_uncompressedSize = 0;
  uint32_t m_position = 0;
  uint32_t m_compressedLeft = 0;
  int m_error = kStreamErrorNone;
  uint16_t m_method = kMethodStored;
};

}  // namespace Qel
