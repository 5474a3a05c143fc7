// Archive contents for tests and benchmarks: archives written by independent zip writers, sample
// data that does and does not deflate, and the byte patches that make an archive lie.
#include "support/ArchiveContent.h"

#include <cstdlib>
#include <stdexcept>

#include "core/LittleEndian.h"
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

size_t EndRecordOffset(const std::string& archive) {
  return archive.size() - 22;
}

size_t CentralRecordOffset(const std::string& archive, int index) {
  size_t at = GetU32(archive, EndRecordOffset(archive) + kEndDirectoryOffset);
  for (int i = 0; i < index; ++i) {
    at += kCentralRecordSize + GetU16(archive, at + kCentralNameLength) +
          GetU16(archive, at + kCentralExtraLength) + GetU16(archive, at + kCentralCommentLength);
  }
  return at;
}

namespace {

void CheckField(const std::string& bytes, size_t at, size_t size) {
  if (at > bytes.size() || size > bytes.size() - at) throw std::out_of_range("field past the archive's end");
}

const uint8_t* At(const std::string& bytes, size_t at) {
  return reinterpret_cast<const uint8_t*>(bytes.data()) + at;
}

uint8_t* At(std::string& bytes, size_t at) {
  return reinterpret_cast<uint8_t*>(bytes.data()) + at;
}

}  // namespace

uint16_t GetU16(const std::string& bytes, size_t at) {
  CheckField(bytes, at, 2);
  return Qel::ReadLE16(At(bytes, at));
}

uint32_t GetU32(const std::string& bytes, size_t at) {
  CheckField(bytes, at, 4);
  return Qel::ReadLE32(At(bytes, at));
}

void PutU16(std::string& bytes, size_t at, uint16_t value) {
  CheckField(bytes, at, 2);
  Qel::WriteLE16(At(bytes, at), value);
}

void PutU32(std::string& bytes, size_t at, uint32_t value) {
  CheckField(bytes, at, 4);
  Qel::WriteLE32(At(bytes, at), value);
}

}  // namespace test
