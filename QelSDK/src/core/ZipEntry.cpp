// The stream over one member of a zip archive: stored members are read as they lie, deflated ones
// through zlib's raw inflate.
#include "core/ZipEntry.h"

#include <algorithm>
#include <cstring>

#include "core/LittleEndian.h"

namespace Qel {

namespace {

constexpr uint32_t kLocalHeaderSize = 30;
constexpr uint32_t kLocalHeaderSignature = 0x04034B50u;
constexpr uint32_t kSkipChunk = 1024;

// The stream seeks with a signed 32-bit offset; an archive never reaches past that.
constexpr uint64_t kMaxArchiveOffset = 0x7FFFFFFFu;

}  // namespace

ZipEntry::~ZipEntry() {
  EndInflate();
}

bool ZipEntry::SetError(int code) {
  m_error = code;
  return true;
}

int ZipEntry::TakeError() {
  const int code = m_error;
  m_error = kStreamErrorNone;
  return code;
}

bool ZipEntry::Write(const void*, uint32_t) {
  SetError(kStreamErrorWrite);
  return false;
}

void ZipEntry::EndInflate() {
  if (m_inflating) inflateEnd(&m_zstream);
  m_inflating = false;
}

bool ZipEntry::Open(ZipEntryRecord& record, const std::shared_ptr<Stream>& archive) {
  EndInflate();
  m_archive = archive;
  if (!m_archive) {
    SetError(kStreamErrorOpen);
    return false;
  }
  m_compressedSize = record.compressedSize;
  m_uncompressedSize = record.uncompressedSize;
  m_method = record.method;
  if (m_method != kMethodStored && m_method != kMethodDeflated) {
    SetError(kStreamErrorOpen);
    return false;
  }
  if (m_method == kMethodStored && m_compressedSize != m_uncompressedSize) {
    SetError(kStreamErrorOpen);
    return false;
  }
  if (record.dataOffset == 0) {
    uint8_t header[kLocalHeaderSize];
    uint32_t got = kLocalHeaderSize;
    if (!ReadArchive(record.localHeaderOffset, header, got) || ReadLE32(header) != kLocalHeaderSignature) {
      SetError(kStreamErrorRead);
      return false;
    }
    // The local header's own name and extra lengths place the data; the central directory's
    // sizes bound it, and it must lie wholly inside the archive.
    const uint64_t dataOffset =
        uint64_t{record.localHeaderOffset} + kLocalHeaderSize + ReadLE16(header + 26) + ReadLE16(header + 28);
    const uint32_t archiveSize = m_archive->GetSize();
    if (archiveSize == kInvalidStreamValue || dataOffset + m_compressedSize > archiveSize ||
        dataOffset > kMaxArchiveOffset) {
      SetError(kStreamErrorRead);
      return false;
    }
    record.dataOffset = static_cast<uint32_t>(dataOffset);
  }
  m_dataOffset = record.dataOffset;
  return Rewind();
}

bool ZipEntry::Rewind() {
  EndInflate();
  m_compressedLeft = m_compressedSize;
  m_position = 0;
  m_inputRead = m_inputEnd = 0;
  m_outputRead = m_outputEnd = 0;
  m_streamEnded = m_padFed = m_broken = false;
  if (m_method != kMethodDeflated) return true;

  // Buffers are sized to the member, at least one byte so the trailing zero byte fits.
  const auto sized = [](uint32_t limit, uint32_t size) {
    return std::max<uint32_t>(1, std::min(limit, size));
  };
  if ((!m_input.GetData() && !m_input.Allocate(sized(kInputBufferSize, m_compressedSize))) ||
      (!m_output.GetData() && !m_output.Allocate(sized(kBufferSize, m_uncompressedSize)))) {
    SetError(kStreamErrorOpen);
    return false;
  }
  m_zstream = z_stream{};
  if (inflateInit2(&m_zstream, -MAX_WBITS) != Z_OK) {
    SetError(kStreamErrorOpen);
    return false;
  }
  m_inflating = true;
  return true;
}

bool ZipEntry::ReadArchive(uint64_t offset, uint8_t* buffer, uint32_t& size) {
  const uint32_t wanted = size;
  size = 0;
  if (!m_archive) {
    SetError(kStreamErrorRead);
    return false;
  }
  if (offset > kMaxArchiveOffset || !m_archive->Seek(static_cast<int32_t>(offset), kSeekStart)) {
    m_archive->TakeError();
    SetError(kStreamErrorSeek);
    return false;
  }
  size = wanted;
  const bool read = m_archive->Read(buffer, size);
  const int archiveError = m_archive->TakeError();
  if (read && size == wanted) return true;
  SetError(archiveError != kStreamErrorNone ? archiveError : kStreamErrorRead);
  return false;
}

bool ZipEntry::Read(void* buffer, uint32_t& size) {
  if (size == 0) return true;
  if (!buffer) {
    size = 0;
    SetError(kStreamErrorRead);
    return false;
  }
  auto* bytes = static_cast<uint8_t*>(buffer);
  return m_method == kMethodDeflated ? ReadDeflated(bytes, size) : ReadStored(bytes, size);
}

bool ZipEntry::ReadStored(uint8_t* buffer, uint32_t& size) {
  const uint32_t wanted = size;
  uint32_t got = std::min(wanted, m_uncompressedSize - m_position);
  if (got > 0 && !ReadArchive(uint64_t{m_dataOffset} + m_position, buffer, got)) {
    m_position += got;
    size = got;
    return false;
  }
  m_position += got;
  size = got;
  if (got == wanted) return true;
  SetError(kStreamErrorEnd);
  return false;
}

bool ZipEntry::ReadDeflated(uint8_t* buffer, uint32_t& size) {
  const uint32_t wanted = size;
  uint32_t delivered = 0;
  while (delivered < wanted) {
    if (m_outputRead < m_outputEnd) {
      const uint32_t n = std::min(m_outputEnd - m_outputRead, wanted - delivered);
      std::memcpy(buffer + delivered, m_output.GetData() + m_outputRead, n);
      m_outputRead += n;
      delivered += n;
      m_position += n;
      continue;
    }
    if (m_position == m_uncompressedSize) {
      SetError(kStreamErrorEnd);
      break;
    }
    // A deflate stream that ends before the recorded size, or any earlier corruption, leaves
    // nothing more to deliver.
    if (m_broken || m_streamEnded || !m_inflating) {
      m_broken = true;
      SetError(kStreamErrorRead);
      break;
    }
    if (m_zstream.avail_in == 0 && !RefillInput()) break;

    // Large requests inflate straight into the caller's buffer; small ones go through the output
    // buffer so that inflate is never called for a handful of bytes.
    const uint32_t room = std::min(wanted - delivered, m_uncompressedSize - m_position);
    uint32_t produced = 0;
    if (room >= m_output.GetSize()) {
      if (!Inflate(buffer + delivered, room, produced)) break;
      delivered += produced;
      m_position += produced;
    } else {
      const uint32_t fill = std::min(m_output.GetSize(), m_uncompressedSize - m_position);
      if (!Inflate(m_output.GetData(), fill, produced)) break;
      m_outputRead = 0;
      m_outputEnd = produced;
    }
  }
  // A deflated read that reaches the member's end marks it even when it delivered all it was asked
  // for, so a reader learns of the end without a further read.
  if (delivered == wanted && m_position == m_uncompressedSize) SetError(kStreamErrorEnd);
  size = delivered;
  return delivered == wanted;
}

bool ZipEntry::RefillInput() {
  if (m_compressedLeft == 0) {
    // Raw inflate may want one byte past the compressed data; once that is spent, the member's
    // data ended before its deflate stream did.
    if (m_padFed) {
      m_broken = true;
      SetError(kStreamErrorRead);
      return false;
    }
    m_padFed = true;
    m_input.GetData()[0] = 0;
    m_zstream.next_in = m_input.GetData();
    m_zstream.avail_in = 1;
    return true;
  }
  uint32_t got = std::min(m_input.GetSize(), m_compressedLeft);
  const uint64_t offset = uint64_t{m_dataOffset} + (m_compressedSize - m_compressedLeft);
  if (!ReadArchive(offset, m_input.GetData(), got)) {
    m_broken = true;
    SetError(kStreamErrorRead);
    return false;
  }
  m_compressedLeft -= got;
  m_zstream.next_in = m_input.GetData();
  m_zstream.avail_in = got;
  return true;
}

bool ZipEntry::Inflate(uint8_t* out, uint32_t room, uint32_t& produced) {
  const uInt availableIn = m_zstream.avail_in;
  m_zstream.next_out = out;
  m_zstream.avail_out = room;
  const int result = inflate(&m_zstream, Z_SYNC_FLUSH);
  produced = room - m_zstream.avail_out;
  const bool progressed = produced > 0 || m_zstream.avail_in != availableIn;
  if (result == Z_STREAM_END) {
    m_streamEnded = true;
    return true;
  }
  if (result != Z_OK || !progressed) {
    m_broken = true;
    SetError(kStreamErrorRead);
    return false;
  }
  return true;
}

bool ZipEntry::Seek(int32_t offset, int origin) {
  int64_t target = 0;
  switch (origin) {
    case kSeekStart:
      target = offset;
      break;
    case kSeekEnd:
      target = int64_t{m_uncompressedSize} - offset;
      break;
    case kSeekCurrent:
      if (offset == 0) return true;
      target = int64_t{m_position} + offset;
      break;
    default:
      break;
  }
  if (target == m_position) return true;
  if (target < 0 || target > m_uncompressedSize) {
    SetError(kStreamErrorSeek);
    return false;
  }
  if (target < m_position && !Rewind()) {
    SetError(kStreamErrorSeek);
    return false;
  }
  return SkipTo(static_cast<uint32_t>(target));
}

bool ZipEntry::SkipTo(uint32_t target) {
  // A skip that arrives at the member's end has not failed: the end its reads marked is dropped,
  // and whatever error was pending before it stays.
  const int pending = m_error;
  uint8_t scratch[kSkipChunk];
  while (m_position < target) {
    uint32_t n = std::min(kSkipChunk, target - m_position);
    Read(scratch, n);
    if (n == 0) {
      SetError(kStreamErrorSeek);
      return false;
    }
  }
  m_error = pending;
  return true;
}

void ZipEntry::Clone(std::shared_ptr<Stream>& out) {
  out.reset();
  std::shared_ptr<Stream> archive;
  if (m_archive) m_archive->Clone(archive);
  if (!archive) return;
  ZipEntryRecord record;
  record.dataOffset = m_dataOffset;
  record.compressedSize = m_compressedSize;
  record.uncompressedSize = m_uncompressedSize;
  record.method = m_method;
  auto clone = std::make_shared<ZipEntry>();
  if (!clone->Open(record, archive) || !clone->SkipTo(m_position)) return;
  out = clone;
}

}  // namespace Qel
