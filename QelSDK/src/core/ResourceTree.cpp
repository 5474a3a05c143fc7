// The resource database in a plain directory tree: every file indexed by type code and name hash.
#include "core/ResourceTree.h"

#include <vector>

#include "core/FileUtilities.h"
#include "core/LoadWhole.h"
#include "core/Trace.h"
#include "platform/win/kernel/Path.h"

namespace Qel {

bool ResourceTree::Open(const std::shared_ptr<IFileSpec>& spec, uint32_t) {
  Close();
  std::vector<std::shared_ptr<IFileSpec>> files;
  if (spec) EnumerateFiles(spec, files, kListRecurse | kListFiles | kListEnabled, -1);
  for (const auto& file : files) {
    auto& byHash = m_index[file->GetTypeCode()];
    // The first file the listing meets wins; the rest are shadowed.
    if (!byHash.emplace(file->GetNameHash(), file).second) {
      Trace("WARN: Hash collision in ResourceTree.\n");
      Trace("      File %s collides.\n", plat::win::LinuxPathAsWritten(file->GetPath().c_str()).c_str());
    }
  }
  m_root = spec;
  return true;
}

bool ResourceTree::Close() {
  m_index.clear();
  return true;
}

void ResourceTree::GetResourceFileSpec(uint32_t nameHash, uint32_t type,
                                       std::shared_ptr<IFileSpec>& out) const {
  out.reset();
  const auto byType = m_index.find(type);
  if (byType == m_index.end()) return;
  const auto found = byType->second.find(nameHash);
  if (found != byType->second.end()) out = found->second;
}

void ResourceTree::FindFolderInPlace(uint32_t nameHash, uint32_t type,
                                     std::shared_ptr<IFileSpec>& out) const {
  out.reset();
  if (!m_root) return;
  std::vector<std::shared_ptr<IFileSpec>> folders;
  EnumerateFiles(m_root, folders, kListRecurse | kListDirectories | kListEnabled, -1);
  for (auto& folder : folders) {
    if (folder->GetTypeCode() == type && folder->GetNameHash() == nameHash) {
      out = std::move(folder);
      return;
    }
  }
}

void ResourceTree::OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) {
  out.reset();
  std::shared_ptr<IFileSpec> file;
  GetResourceFileSpec(nameHash, type, file);
  if (file) OpenFileStream(file, kFileRead | kFileExisting, out);
}

void ResourceTree::Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) {
  out.reset();
  std::shared_ptr<Stream> stream;
  OpenStream(nameHash, type, stream);
  if (stream) LoadWhole(*stream, out);
}

}  // namespace Qel
