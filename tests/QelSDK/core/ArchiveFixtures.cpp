// Zip databases opened on test archives, and their members read back by file name.
#include "ArchiveFixtures.h"

#include <algorithm>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/WinFileSpec.h"
#include "support/WindowsPath.h"

namespace test {

std::shared_ptr<Qel::ResourceZipfile> OpenZipFile(const std::filesystem::path& archive) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(WindowsPathOf(archive));
  auto zip = std::make_shared<Qel::ResourceZipfile>();
  return zip->Open(spec, 0) ? zip : nullptr;
}

std::shared_ptr<Qel::ResourceZipfile> OpenZipInMemory(const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!block->Allocate(static_cast<uint32_t>(bytes.size()))) return nullptr;
  std::copy(bytes.begin(), bytes.end(), block->GetData());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  auto zip = std::make_shared<Qel::ResourceZipfile>();
  return zip->OpenArchive(stream) ? zip : nullptr;
}

namespace {

void AddressOf(const std::string& fileName, uint32_t& hash, uint32_t& type) {
  const size_t dot = fileName.rfind('.');
  const std::string base = fileName.substr(0, dot);
  hash = Qel::NameHash(base.c_str());
  type = dot == std::string::npos ? Qel::kTypeNone : Qel::TypeCodeFromExtension(fileName.c_str() + dot + 1);
}

}  // namespace

std::optional<std::string> LoadResource(Qel::IResourceFile& database, const std::string& fileName) {
  uint32_t hash = 0;
  uint32_t type = 0;
  AddressOf(fileName, hash, type);
  std::shared_ptr<Qel::IMemoryBlock> block;
  database.Load(hash, type, block);
  if (!block) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(block->GetData()), block->GetSize());
}

std::shared_ptr<Qel::Stream> OpenResource(Qel::IResourceFile& database, const std::string& fileName) {
  uint32_t hash = 0;
  uint32_t type = 0;
  AddressOf(fileName, hash, type);
  std::shared_ptr<Qel::Stream> stream;
  database.OpenStream(hash, type, stream);
  return stream;
}

std::string ReadToEnd(Qel::Stream& stream, uint32_t chunk) {
  std::string out;
  std::string buffer(chunk, '\0');
  for (;;) {
    uint32_t size = chunk;
    const bool full = stream.Read(buffer.data(), size);
    out.append(buffer, 0, size);
    if (!full) return out;
  }
}

}  // namespace test
