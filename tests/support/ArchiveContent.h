// Archive contents for tests and benchmarks: archives written by independent zip writers, sample
// data that does and does not deflate, and the byte patches that make an archive lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test {

struct ZipMember {
  std::string name;  // "folder/name.ext"; a name ending in "/" is a directory entry
  std::string data;
  int method = 8;  // 0 stored, 8 deflated, 12 bzip2 (a method the engine does not read)
};

// Writes the members in this order with Python's zipfile module.
void WriteZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members);
// Packs every file under folder with Info-ZIP's zip at the given level (0 stores).
void ZipFolder(const std::filesystem::path& folder, const std::filesystem::path& archive, int level);

// Bytes that deflate about as well as the game's text and sprite data (words drawn at random), and
// bytes that do not deflate at all (a noise generator).
std::string Compressible(size_t size, uint32_t seed);
std::string Incompressible(size_t size, uint32_t seed);

// Offsets into an archive's bytes: its end record and the start of its index-th central record.
size_t EndRecordOffset(const std::string& archive);
size_t CentralRecordOffset(const std::string& archive, int index);
// Fields of an archive's bytes; out of range is an exception, so a patch cannot write past the end.
uint16_t GetU16(const std::string& bytes, size_t at);
uint32_t GetU32(const std::string& bytes, size_t at);
void PutU16(std::string& bytes, size_t at, uint16_t value);
void PutU32(std::string& bytes, size_t at, uint32_t value);

// Field offsets inside a central-directory record and the end record.
inline constexpr size_t kCentralMethod = 10;
inline constexpr size_t kCentralCompressedSize = 20;
inline constexpr size_t kCentralUncompressedSize = 24;
inline constexpr size_t kCentralNameLength = 28;
inline constexpr size_t kCentralExtraLength = 30;
inline constexpr size_t kCentralCommentLength = 32;
inline constexpr size_t kCentralLocalOffset = 42;
inline constexpr size_t kCentralRecordSize = 46;
inline constexpr size_t kEndEntries = 10;
inline constexpr size_t kEndDirectorySize = 12;
inline constexpr size_t kEndDirectoryOffset = 16;
inline constexpr size_t kEndCommentLength = 20;
// Field offsets inside a local header.
inline constexpr size_t kLocalNameLength = 26;
inline constexpr size_t kLocalExtraLength = 28;
inline constexpr size_t kLocalHeaderSize = 30;

}  // namespace test
