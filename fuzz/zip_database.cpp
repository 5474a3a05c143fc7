// Fuzzes the zip database: an archive in memory is indexed, then every member is loaded whole and
// streamed in odd chunks with seeks back and forth.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceZipfile.h"

namespace {

void StreamMember(Qel::Stream& stream) {
  uint8_t buffer[3001];
  for (int reads = 0; reads < 100000; ++reads) {
    uint32_t size = sizeof buffer;
    if (!stream.Read(buffer, size)) break;
  }
  stream.TakeError();
  stream.Seek(7, Qel::kSeekEnd);
  stream.Seek(-5, Qel::kSeekCurrent);
  uint32_t size = 16;
  stream.Read(buffer, size);
  std::shared_ptr<Qel::Stream> clone;
  stream.Clone(clone);
  if (clone) {
    size = 16;
    clone->Read(buffer, size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!block->Allocate(static_cast<uint32_t>(size))) return 0;
  if (size) std::memcpy(block->GetData(), data, size);
  auto archive = std::make_shared<Qel::MemStream>();
  archive->SetMemoryBlock(block);

  Qel::ResourceZipfile zip;
  if (!zip.OpenArchive(archive)) return 0;
  std::vector<std::pair<uint32_t, uint32_t>> addresses;
  zip.GetAddresses(addresses);
  for (const auto& [type, hash] : addresses) {
    std::shared_ptr<Qel::IMemoryBlock> loaded;
    zip.Load(hash, type, loaded);
    std::shared_ptr<Qel::Stream> stream;
    zip.OpenStream(hash, type, stream);
    if (stream) StreamMember(*stream);
  }
  return 0;
}
