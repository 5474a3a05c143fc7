// The resource database in a plain directory tree: every file indexed by type code and name hash.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "core/IFile.h"
#include "core/IFileSpec.h"
#include "core/IResourceFile.h"

namespace Qel {

class ResourceTree : public IResourceFile, public IFile {
public:
  ResourceTree() = default;

  // IFile. Lists the tree once; the mode is ignored. Always true: a missing or empty directory
  // is a database with no resources.
  bool Open(const std::shared_ptr<IFileSpec>& spec, uint32_t mode) override;
  void GetFileSpec(std::shared_ptr<IFileSpec>& out) override { out = m_root; }
  bool Close() override;
  bool SetSize(uint32_t) override { return false; }

  // IResourceFile.
  void Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) override;
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) override;

  // The file indexed under the address, wherever in the tree it lies; null when there is none.
  void GetResourceFileSpec(uint32_t nameHash, uint32_t type, std::shared_ptr<IFileSpec>& out) const;

  // The first folder, in the order the tree is listed, whose name gives the address as a file's
  // would ("intro.bik" made a folder); null when there is none. The index holds files only, so
  // this lists the tree again: it is for telling why a resource was not found.
  void FindFolderInPlace(uint32_t nameHash, uint32_t type, std::shared_ptr<IFileSpec>& out) const;

private:
  std::map<uint32_t, std::map<uint32_t, std::shared_ptr<IFileSpec>>> m_index;
  std::shared_ptr<IFileSpec> m_root;
};

}  // namespace Qel
