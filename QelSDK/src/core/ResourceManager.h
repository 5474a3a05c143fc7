// The one place the program asks for resources: an ordered list of databases, newest first.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "core/IFileSpec.h"
#include "core/IResourceFileList.h"

namespace Qel {

class ResourceManager : public IResourceFileList {
public:
  static ResourceManager* GetInstance();
  static void DestroyInstance();

  ResourceManager(const ResourceManager&) = delete;
  ResourceManager& operator=(const ResourceManager&) = delete;

  // The first database in the list that has the resource answers.
  void Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) override;
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) override;

  // A database already listed moves to its new place instead of being listed twice.
  void AddResourceFile(const std::shared_ptr<IResourceFile>& file, int position) override;
  void RemoveResourceFile(const std::shared_ptr<IResourceFile>& file) override;

  // The file specification of the first database that can open the resource: the archive of a
  // zip database, the root of a directory database. Null when none can.
  virtual void GetResourceFileSpec(uint32_t nameHash, uint32_t type, std::shared_ptr<IFileSpec>& out);
  // The path of a resource that is opened by file name (streamed sounds, movies): the folder
  // where a directory database holds the file, "\", the name, "." and the four type characters
  // (a trailing blank kept). Empty when no directory database holds it: a member of an archive
  // has no path of its own.
  virtual void GetResourcePath(std::string& out, const std::string& name, uint32_t type);

  // For messages about a resource: the file the first database that opens it reads, in the
  // engine's path form: the file itself in a directory database, the archive then "\" and the
  // member's name (name, ".", the type's letters) in a zip database. Empty when none opens it.
  std::string GetResourceLocation(uint32_t nameHash, uint32_t type, const std::string& name);
  // For a resource no database opens: the first folder a directory database holds in the file's
  // place, in the search order, in the engine's path form; empty when there is none.
  std::string FindFolderInPlace(uint32_t nameHash, uint32_t type);
  // How many databases are listed.
  size_t GetDatabaseCount() const { return m_files.size(); }

private:
  ResourceManager() = default;
  ~ResourceManager() override = default;

  std::list<std::shared_ptr<IResourceFile>> m_files;
};

}  // namespace Qel
