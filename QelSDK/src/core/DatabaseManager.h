// Turns database names into zip and directory databases under the CD and hard-disk roots, and
// keeps them registered with the resource manager while their names are in use.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "core/DatabaseRecord.h"
#include "core/IFileSpec.h"

namespace Qel {

class DatabaseManager {
public:
  static DatabaseManager* GetInstance();
  static void DestroyInstance();

  DatabaseManager(const DatabaseManager&) = delete;
  DatabaseManager& operator=(const DatabaseManager&) = delete;

  // Sets the language folder and the roots; a CD path that does not exist as written is looked
  // for on every CD drive. True when at least one root is usable.
  bool Init(const std::string& cdPath, const std::string& hdPath, const std::string& language);

  // The name's databases in the language folder, then in "universal", so the shared ones are
  // searched first. Always true: a name with no databases simply answers nothing.
  bool AddDatabase(const std::string& name);
  // True when either folder had the name.
  bool RemoveDatabase(const std::string& name);

private:
  DatabaseManager() = default;
  ~DatabaseManager() = default;

  void AddDatabaseInFolder(const std::string& folder, const std::string& name);
  bool RemoveDatabaseInFolder(const std::string& folder, const std::string& name);
  bool AddZipDatabase(const std::shared_ptr<IFileSpec>& root, const std::string& keyPath, bool onCd);
  bool AddDirectoryDatabase(const std::shared_ptr<IFileSpec>& root, const std::string& keyPath);
  void AddRecord(uint32_t key, const std::shared_ptr<IResourceFile>& database);

  // Records are owned here; destroying the manager does not unregister their databases, which
  // the resource manager, destroyed right after, lets go.
  std::multimap<uint32_t, std::unique_ptr<DatabaseRecord>> m_records;
  std::shared_ptr<IFileSpec> m_cdRoot;
  std::shared_ptr<IFileSpec> m_hdRoot;
  std::string m_language;
};

}  // namespace Qel
