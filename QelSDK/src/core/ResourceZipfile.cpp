// The resource database in a zip archive: its central directory indexed by type code and name hash.
#include "core/ResourceZipfile.h"

#include <cstring>
#include <new>

#include "core/FileUtilities.h"
#include "core/LittleEndian.h"
#include "core/LoadWhole.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/Trace.h"
#include "core/ZipEntry.h"
#include "platform/win/kernel/Path.h"

namespace Qel {

namespace {

constexpr uint32_t kEndRecordSize = 22;
constexpr uint32_t kEndRecordSignature = 0x06054B50u;
constexpr uint32_t kCentralRecordSize = 46;
constexpr uint32_t kCentralRecordSignature = 0x02014B50u;
constexpr uint32_t kLocalHeaderSize = 30;
constexpr uint32_t kMaxNameLength = 1023;
// The largest archive whose offsets the stream's signed 32-bit seeks can reach.
constexpr uint32_t kMaxArchiveSize = 0x7FFFFFFFu;
// Deflate spends at least two bits on a 258-byte match, so no member inflates to more than this
// many times its compressed size (plus a block's worth of slack).
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 1032;

bool ReadExactly(Stream& stream, void* buffer, uint32_t size) {
  uint32_t got = size;
  if (size == 0) return true;
  const bool read = stream.Read(buffer, got);
  stream.TakeError();
  return read && got == size;
}

}  // namespace

bool ResourceZipfile::Open(const std::shared_ptr<IFileSpec>& spec, uint32_t) {
  Close();
  // Named in messages as the user finds the file.
  const std::string name =
      spec ? plat::win::LinuxPathAsWritten(spec->GetPath().c_str()) : std::string("(none)");
  std::shared_ptr<Stream> archive;
  OpenFileStream(spec, kFileRead | kFileExisting, archive);
  if (!archive) {
    Trace("WARN: Zip archive %s cannot be opened: %s.\n", name.c_str(), WhyNotOpened(spec));
    return false;
  }
  if (!Index(archive, name.c_str())) return false;
  m_spec = spec;
  return true;
}

bool ResourceZipfile::OpenArchive(const std::shared_ptr<Stream>& archive) {
  return Index(archive, "(in memory)");
}

bool ResourceZipfile::Index(const std::shared_ptr<Stream>& archive, const char* name) {
  Close();
  m_archive = archive;
  if (!m_archive || !BuildIndex(name)) {
    Close();
    return false;
  }
  return true;
}

bool ResourceZipfile::Close() {
  m_index.clear();
  m_archive.reset();
  m_spec.reset();
  return true;
}

bool ResourceZipfile::Refuse(const char* archiveName, const char* reason) {
  Trace("WARN: Zip archive %s refused: %s.\n", archiveName, reason);
  m_index.clear();
  return false;
}

bool ResourceZipfile::BuildIndex(const char* archiveName) {
  Stream& archive = *m_archive;
  const uint32_t archiveSize = archive.GetSize();
  if (archiveSize == kInvalidStreamValue || archiveSize < kEndRecordSize)
    return Refuse(archiveName, "too short");
  if (archiveSize > kMaxArchiveSize) return Refuse(archiveName, "too large");

  // The end record must be exactly the last bytes: an archive comment is not supported.
  uint8_t end[kEndRecordSize];
  if (!archive.Seek(-static_cast<int32_t>(kEndRecordSize), kSeekEnd) ||
      !ReadExactly(archive, end, sizeof end))
    return Refuse(archiveName, "end record unreadable");
  if (ReadLE32(end) != kEndRecordSignature || ReadLE16(end + 20) != 0)
    return Refuse(archiveName, "no end record");
  const uint32_t entries = ReadLE16(end + 10);
  const uint32_t directorySize = ReadLE32(end + 12);
  const uint32_t directoryOffset = ReadLE32(end + 16);
  const uint32_t directoryLimit = archiveSize - kEndRecordSize;
  if (directoryOffset > directoryLimit || directorySize > directoryLimit - directoryOffset)
    return Refuse(archiveName, "central directory outside the archive");
  if (uint64_t{entries} * kCentralRecordSize > directorySize) return Refuse(archiveName, "too many entries");

  MemoryBlock directory;
  if (!directory.Allocate(directorySize)) return Refuse(archiveName, "no memory for the central directory");
  if (!archive.Seek(static_cast<int32_t>(directoryOffset), kSeekStart) ||
      !ReadExactly(archive, directory.GetData(), directorySize))
    return Refuse(archiveName, "central directory unreadable");

  const uint8_t* const bytes = directory.GetData();
  uint32_t at = 0;
  char name[kMaxNameLength + 1];
  for (uint32_t i = 0; i < entries; ++i) {
    if (directorySize - at < kCentralRecordSize) return Refuse(archiveName, "central directory truncated");
    const uint8_t* record = bytes + at;
    if (ReadLE32(record) != kCentralRecordSignature)
      return Refuse(archiveName, "bad central directory signature");
    const uint32_t nameLength = ReadLE16(record + 28);
    const uint32_t skipLength = uint32_t{ReadLE16(record + 30)} + ReadLE16(record + 32);
    if (nameLength > kMaxNameLength) return Refuse(archiveName, "name too long");
    if (directorySize - at - kCentralRecordSize < nameLength + skipLength)
      return Refuse(archiveName, "central directory record overruns the directory");

    ZipEntryRecord entry;
    entry.flags = ReadLE16(record + 8);
    entry.method = ReadLE16(record + 10);
    entry.compressedSize = ReadLE32(record + 20);
    entry.uncompressedSize = ReadLE32(record + 24);
    entry.localHeaderOffset = ReadLE32(record + 42);
    // Every member's header and data come before the central directory.
    if (entry.localHeaderOffset > directoryOffset ||
        directoryOffset - entry.localHeaderOffset < kLocalHeaderSize ||
        entry.compressedSize > directoryOffset - entry.localHeaderOffset - kLocalHeaderSize)
      return Refuse(archiveName, "member outside the archive");
    if (entry.method == ZipEntry::kMethodStored && entry.compressedSize != entry.uncompressedSize)
      return Refuse(archiveName, "stored member with two sizes");
    if (entry.method == ZipEntry::kMethodDeflated &&
        entry.uncompressedSize > entry.compressedSize * kMaxDeflateRatio + kDeflateSlack)
      return Refuse(archiveName, "member larger than its compressed data can hold");

    std::memcpy(name, record + kCentralRecordSize, nameLength);
    name[nameLength] = '\0';
    at += kCentralRecordSize + nameLength + skipLength;

    // Only the base name counts: the folders inside the archive do not matter.
    char* base = std::strrchr(name, '/');
    base = base ? base + 1 : name;
    char* dot = std::strrchr(base, '.');
    const char* extension = nullptr;
    if (dot) {
      *dot = '\0';
      extension = dot + 1;
    }
    if (*base == '\0') continue;  // a directory entry, or a name that is all extension
    const uint32_t type = TypeCodeFromExtension(extension);
    const uint32_t hash = NameHash(base);
    auto& byHash = m_index[type];
    if (!byHash.emplace(hash, entry).second) {
      Trace("WARN: Hash collision in ResourceZipfile.\n");
      Trace("      File %s collides.\n", base);
    }
  }
  // The end record counts members in 16 bits, so an archive of more (written with the zip64
  // extension) has records its count leaves out: those members cannot be reached.
  if (directorySize - at >= 4 && ReadLE32(bytes + at) == kCentralRecordSignature) {
    Trace(
        "WARN: Zip archive %s holds more members than the %u its directory counts; the rest are left out.\n",
        archiveName, entries);
  }
  return true;
}

void ResourceZipfile::GetAddresses(std::vector<std::pair<uint32_t, uint32_t>>& out) const {
  out.clear();
  for (const auto& [type, byHash] : m_index) {
    for (const auto& entry : byHash) out.emplace_back(type, entry.first);
  }
}

void ResourceZipfile::OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) {
  out.reset();
  const auto byType = m_index.find(type);
  if (byType == m_index.end()) return;
  const auto found = byType->second.find(nameHash);
  if (found == byType->second.end()) return;
  // No memory for the member stream answers like a member that cannot be opened.
  std::shared_ptr<ZipEntry> entry(new (std::nothrow) ZipEntry());
  if (entry && entry->Open(found->second, m_archive)) out = entry;
}

void ResourceZipfile::Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) {
  out.reset();
  std::shared_ptr<Stream> stream;
  OpenStream(nameHash, type, stream);
  if (stream) LoadWhole(*stream, out);
}

}  // namespace Qel
