// Fuzzes the zip database: the input is indexed as an archive in memory and as a file on disk, and
// every member is loaded whole and streamed in pieces of several sizes with seeks back and forth;
// every way of reading a member must give the same bytes.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceZipfile.h"
#include "core/WinFileSpec.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// The archive file of this process; it is written anew for every input and removed at exit.
std::filesystem::path gArchivePath;

void RemoveArchiveFile() {
  std::error_code ignored;
  std::filesystem::remove(gArchivePath, ignored);
}

// The file layer sees the Linux root as drive Z:.
std::string WindowsPathOf(const std::filesystem::path& path) {
  std::string text = path.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return "Z:" + text;
}

bool WriteArchiveFile(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(gArchivePath.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

bool Matches(Qel::IMemoryBlock* whole, uint32_t at, const uint8_t* bytes, uint32_t size) {
  return !whole ||
         (uint64_t{at} + size <= whole->GetSize() && std::memcmp(whole->GetData() + at, bytes, size) == 0);
}

// Pieces smaller than a member's output buffer go through it; larger ones are inflated straight into
// the caller's buffer. Each pass reads a whole member in pieces of one kind, taken in turn.
constexpr uint32_t kSmallPieces[] = {3001, 1, 17};
constexpr uint32_t kLargePieces[] = {65537, 10240, 20000};

// Streams the member from its start to its end; false when the stream fails before the end. Each
// piece must match the whole load, when there is one.
template <size_t N>
bool StreamInPieces(Qel::Stream& stream, const uint32_t (&pieces)[N], Qel::IMemoryBlock* whole,
                    std::vector<uint8_t>& buffer) {
  const uint32_t size = stream.GetSize();
  uint32_t position = 0;
  for (size_t piece = 0;; ++piece) {
    const uint32_t wanted = pieces[piece % N];
    uint32_t got = wanted;
    const bool read = stream.Read(buffer.data(), got);
    Require(got <= wanted && got <= size - position);
    Require(Matches(whole, position, buffer.data(), got));
    position += got;
    Require(stream.Tell() == position);
    if (!read) break;
  }
  stream.TakeError();
  return position == size;
}

// Loads one member whole and streams it; whole is what the load gave (null when it failed). With a
// whole load, every stream must give its bytes and reach its end; without one, every stream must
// fail before the end.
void CheckMember(Qel::ResourceZipfile& zip, uint32_t type, uint32_t hash,
                 std::shared_ptr<Qel::IMemoryBlock>& whole) {
  std::shared_ptr<Qel::Stream> stream;
  zip.OpenStream(hash, type, stream);
  if (!stream) {
    zip.Load(hash, type, whole);
    Require(!whole);
    return;
  }
  const uint32_t size = stream->GetSize();
  std::vector<uint8_t> buffer(65537);
  // The load, between the stream's opening and its first read, moves the archive's shared position.
  zip.Load(hash, type, whole);
  if (whole) Require(whole->GetSize() == size);
  Require(StreamInPieces(*stream, kSmallPieces, whole.get(), buffer) == (whole != nullptr));
  stream->Seek(0, Qel::kSeekStart);
  stream->TakeError();
  Require(StreamInPieces(*stream, kLargePieces, whole.get(), buffer) == (whole != nullptr));
  if (!whole) return;

  // Back from the end, a little further back, and a clone from there.
  const bool reachesEnd = stream->Seek(7, Qel::kSeekEnd);
  Require(reachesEnd == (size >= 7));
  if (reachesEnd) Require(stream->Seek(-5, Qel::kSeekCurrent) == (size >= 12));
  stream->TakeError();
  const uint32_t from = stream->Tell();
  uint32_t got = 16;
  stream->Read(buffer.data(), got);
  Require(Matches(whole.get(), from, buffer.data(), got) && got == std::min<uint32_t>(16, size - from));
  std::shared_ptr<Qel::Stream> clone;
  stream->Clone(clone);
  if (clone) {
    const uint32_t cloneFrom = clone->Tell();
    Require(cloneFrom == stream->Tell());
    got = 16;
    clone->Read(buffer.data(), got);
    Require(Matches(whole.get(), cloneFrom, buffer.data(), got));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gArchivePath =
      std::filesystem::temp_directory_path() / ("zip_database-" + std::to_string(getpid()) + ".qel");
  std::atexit(RemoveArchiveFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!block->Allocate(static_cast<uint32_t>(size))) return 0;
  if (size) std::memcpy(block->GetData(), data, size);
  auto archive = std::make_shared<Qel::MemStream>();
  archive->SetMemoryBlock(block);
  Qel::ResourceZipfile inMemory;
  const bool openedInMemory = inMemory.OpenArchive(archive);

  Require(WriteArchiveFile(data, size));
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(WindowsPathOf(gArchivePath));
  Qel::ResourceZipfile onDisk;
  Require(onDisk.Open(spec, 0) == openedInMemory);
  if (!openedInMemory) return 0;

  std::vector<std::pair<uint32_t, uint32_t>> addresses;
  inMemory.GetAddresses(addresses);
  std::vector<std::pair<uint32_t, uint32_t>> fileAddresses;
  onDisk.GetAddresses(fileAddresses);
  Require(addresses == fileAddresses);
  for (const auto& [type, hash] : addresses) {
    std::shared_ptr<Qel::IMemoryBlock> fromMemory;
    CheckMember(inMemory, type, hash, fromMemory);
    std::shared_ptr<Qel::IMemoryBlock> fromFile;
    CheckMember(onDisk, type, hash, fromFile);
    Require(!fromMemory == !fromFile);
    if (fromMemory) {
      Require(fromMemory->GetSize() == fromFile->GetSize() &&
              std::memcmp(fromMemory->GetData(), fromFile->GetData(), fromMemory->GetSize()) == 0);
    }
  }
  return 0;
}
