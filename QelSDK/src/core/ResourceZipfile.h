// The resource database in a zip archive: its central directory indexed by type code and name hash.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/IFile.h"
#include "core/IFileSpec.h"
#include "core/IResourceFile.h"
#include "core/Stream.h"
#include "core/ZipEntryRecord.h"

namespace Qel {

class ResourceZipfile : public IResourceFile, public IFile {
public:
  ResourceZipfile() = default;

  // IFile. The mode is ignored: archives are only read. An archive that cannot be opened or is
  // refused is named on the trace with the reason.
  bool Open(const std::shared_ptr<IFileSpec>& spec, uint32_t mode) override;
  void GetFileSpec(std::shared_ptr<IFileSpec>& out) override { out = m_spec; }
  bool Close() override;
  bool SetSize(uint32_t) override { return false; }

  // Indexes an archive that is already open as a stream (an archive in memory, for one); the
  // database then has no file specification.
  bool OpenArchive(const std::shared_ptr<Stream>& archive);

  // IResourceFile. A member with an unknown method, or whose data does not lie in the archive,
  // cannot be opened and is answered like a missing one.
  void Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) override;
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) override;

  // The (type code, name hash) of every indexed member, for tools that walk a whole archive.
  void GetAddresses(std::vector<std::pair<uint32_t, uint32_t>>& out) const;

private:
  // Keeps the archive and builds its index; false, closed, when the index cannot be built.
  bool Index(const std::shared_ptr<Stream>& archive, const char* archiveName);
  // False, leaving the index empty, when the archive is not one this reader accepts or when any
  // size or offset in its directory points outside it. archiveName is for the trace.
  bool BuildIndex(const char* archiveName);
  bool Refuse(const char* archiveName, const char* reason);

  std::map<uint32_t, std::map<uint32_t, ZipEntryRecord>> m_index;
  std::shared_ptr<Stream> m_archive;
  std::shared_ptr<IFileSpec> m_spec;
};

}  // namespace Qel
