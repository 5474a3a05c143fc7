// Test archives made by independent zip writers, sample contents, and the byte patches that
// make an archive lie.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/IResourceFile.h"
#include "core/ResourceZipfile.h"
#include "core/Stream.h"

namespace test {

// The Windows form of a Linux path, as the engine's file layer expects it ("Z:\tmp\...").
std::string WindowsPath(const std::filesystem::path& path);

struct ZipMember {
  std::string name;  // "folder/name.ext"; a name ending in "/" is a directory entry
  std::string data;
  int method = 8;  // 0 stored, 8 deflated, 12 bzip2 (a method the engine does not read)
};

// Writes the members in this order with Python's zipfile module.
void WriteZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members);
// Packs every file under folder with Info-ZIP's zip at the given level (0 stores).
void ZipFolder(const std::filesystem::path& folder, const std::filesystem::path& archive, int level);

// Bytes that deflate well (repetitive text) and bytes that do not (a noise generator).
std::string Compressible(size_t size, uint32_t seed);
std::string Incompressible(size_t size, uint32_t seed);

// A zip database on an archive file or on archive bytes in memory; null when it is refused.
std::shared_ptr<Qel::ResourceZipfile> OpenZipFile(const std::filesystem::path& archive);
std::shared_ptr<Qel::ResourceZipfile> OpenZipInMemory(const std::string& bytes);
// A resource by its file name ("intro.bik": the base name hashed, the extension as type code).
std::optional<std::string> LoadResource(Qel::IResourceFile& database, const std::string& fileName);
std::shared_ptr<Qel::Stream> OpenResource(Qel::IResourceFile& database, const std::string& fileName);
// Reads to the end in chunks of the given size.
std::string ReadToEnd(Qel::Stream& stream, uint32_t chunk);

// Offsets into an archive's bytes: its end record and the start of its index-th central record.
size_t EndRecordOffset(const std::string& archive);
size_t CentralRecordOffset(const std::string& archive, int index);
uint32_t GetU32(const std::string& bytes, size_t at);
void PutU16(std::string& bytes, size_t at, uint16_t value);
void PutU32(std::string& bytes, size_t at, uint32_t value);

// Field offsets inside a central-directory record and the end record.
inline constexpr size_t kCentralMethod = 10;
inline constexpr size_t kCentralCompressedSize = 20;
inline constexpr size_t kCentralUncompressedSize = 24;
inline constexpr size_t kCentralNameLength = 28;
inline constexpr size_t kCentralLocalOffset = 42;
inline constexpr size_t kEndEntries = 10;
inline constexpr size_t kEndDirectorySize = 12;
inline constexpr size_t kEndDirectoryOffset = 16;
inline constexpr size_t kEndCommentLength = 20;

}  // namespace test
