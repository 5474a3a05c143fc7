// Test archives made by independent zip writers, sample contents, and the byte patches that
// make an archive lie.
#include "QelSDK/core/ArchiveFixtures.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/WinFileSpec.h"
#include "support/TempDir.h"

namespace test {

namespace {

std::string Hex(const std::string& text) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : text) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

}  // namespace

std::string WindowsPath(const std::filesystem::path& path) {
  std::string text = "Z:" + std::filesystem::absolute(path).lexically_normal().string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  if (text.size() > 3 && text.back() == '\\') text.pop_back();
  return text;
}

void WriteZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members) {
  TempDir scratch;
  std::string script =
      "import sys, zipfile\n"
      "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n";
  for (size_t i = 0; i < members.size(); ++i) {
    const auto dataPath = scratch.Path() / ("m" + std::to_string(i));
    WriteFile(dataPath, members[i].data);
    script += "    info = zipfile.ZipInfo(bytes.fromhex('" + Hex(members[i].name) + "').decode())\n";
    script += "    info.compress_type = " + std::to_string(members[i].method) + "\n";
    script += "    z.writestr(info, open('" + dataPath.string() + "', 'rb').read())\n";
  }
  if (members.empty()) script += "    pass\n";
  const auto scriptPath = scratch.Path() / "write.py";
  WriteFile(scriptPath, script);
  Run("python3 '" + scriptPath.string() + "' '" + std::filesystem::absolute(archive).string() + "'");
}

void ZipFolder(const std::filesystem::path& folder, const std::filesystem::path& archive, int level) {
  Run("cd '" + folder.string() + "' && zip -q -r -X -" + std::to_string(level) + " '" +
      std::filesystem::absolute(archive).string() + "' .");
}

std::string Compressible(size_t size, uint32_t seed) {
  static const char* const words[] = {"sprite ", "frame ", "sound ", "hub ", "pilo ", "game ", "\n"};
  std::string out;
  uint32_t state = seed;
  while (out.size() < size) {
    state = state * 1103515245u + 12345u;
    out += words[(state >> 16) % 7];
  }
  out.resize(size);
  return out;
}

std::string Incompressible(size_t size, uint32_t seed) {
  std::string out(size, '\0');
  uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
  for (char& c : out) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    c = static_cast<char>(state >> 24);
  }
  return out;
}

std::shared_ptr<Qel::ResourceZipfile> OpenZipFile(const std::filesystem::path& archive) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(WindowsPath(archive));
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

size_t EndRecordOffset(const std::string& archive) {
  return archive.size() - 22;
}

size_t CentralRecordOffset(const std::string& archive, int index) {
  size_t at = GetU32(archive, EndRecordOffset(archive) + kEndDirectoryOffset);
  for (int i = 0; i < index; ++i) {
    const auto u16 = [&](size_t offset) {
      return static_cast<size_t>(static_cast<uint8_t>(archive[at + offset]) |
                                 (static_cast<uint8_t>(archive[at + offset + 1]) << 8));
    };
    at += 46 + u16(28) + u16(30) + u16(32);
  }
  return at;
}

uint32_t GetU32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

void PutU16(std::string& bytes, size_t at, uint16_t value) {
  bytes.at(at) = static_cast<char>(value & 0xFF);
  bytes.at(at + 1) = static_cast<char>(value >> 8);
}

void PutU32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace test
