// Zip databases opened on test archives, and their members read back by file name.
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
#include "support/ArchiveContent.h"

namespace test {

// A zip database on an archive file or on archive bytes in memory; null when it is refused.
std::shared_ptr<Qel::ResourceZipfile> OpenZipFile(const std::filesystem::path& archive);
std::shared_ptr<Qel::ResourceZipfile> OpenZipInMemory(const std::string& bytes);
// A resource by its file name ("intro.bik": the base name hashed, the extension as type code).
std::optional<std::string> LoadResource(Qel::IResourceFile& database, const std::string& fileName);
std::shared_ptr<Qel::Stream> OpenResource(Qel::IResourceFile& database, const std::string& fileName);
// Reads to the end in chunks of the given size.
std::string ReadToEnd(Qel::Stream& stream, uint32_t chunk);

}  // namespace test
