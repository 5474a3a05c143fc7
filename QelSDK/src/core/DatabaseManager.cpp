// Turns database names into zip and directory databases under the CD and hard-disk roots, and
// keeps them registered with the resource manager while their names are in use.
#include "core/DatabaseManager.h"

#include "core/FileUtilities.h"
#include "core/ResourceAddress.h"
#include "core/ResourceTree.h"
#include "core/ResourceZipfile.h"
#include "core/Trace.h"
#include "core/WinFileSpec.h"
#include "platform/win/kernel/Path.h"

namespace Qel {

namespace {

DatabaseManager* g_instance = nullptr;

const char kUniversalFolder[] = "universal";

std::shared_ptr<IFileSpec> SpecOf(const std::string& path) {
  std::shared_ptr<IFileSpec> spec = WinFileSpec::Create();
  if (spec) spec->SetPath(path);
  return spec;
}

std::shared_ptr<IFileSpec> Joined(const std::shared_ptr<IFileSpec>& root, const std::string& name) {
  std::shared_ptr<IFileSpec> spec = WinFileSpec::Create();
  if (spec) spec->Join(root, name.c_str());
  return spec;
}

bool IsExistingDirectory(const std::shared_ptr<IFileSpec>& spec) {
  return spec && FileExists(spec) && IsDirectory(spec);
}

}  // namespace

DatabaseManager* DatabaseManager::GetInstance() {
  if (!g_instance) g_instance = new DatabaseManager();
  return g_instance;
}

void DatabaseManager::DestroyInstance() {
  DatabaseManager* instance = g_instance;
  g_instance = nullptr;
  delete instance;
}

bool DatabaseManager::Init(const std::string& cdPath, const std::string& hdPath,
                           const std::string& language) {
  m_language = language;
  m_cdRoot.reset();
  m_hdRoot.reset();

  std::shared_ptr<IFileSpec> cd = SpecOf(cdPath);
  if (IsExistingDirectory(cd)) {
    m_cdRoot = cd;
  } else {
    std::shared_ptr<IFileSpec> onDrive;
    if (FindFileOnCdDrive(cdPath.c_str(), onDrive) && IsExistingDirectory(onDrive)) m_cdRoot = onDrive;
  }
  std::shared_ptr<IFileSpec> hd = SpecOf(hdPath);
  if (IsExistingDirectory(hd)) m_hdRoot = hd;
  return m_cdRoot || m_hdRoot;
}

bool DatabaseManager::AddDatabase(const std::string& name) {
  AddDatabaseInFolder(m_language, name);
  AddDatabaseInFolder(kUniversalFolder, name);
  return true;
}

bool DatabaseManager::RemoveDatabase(const std::string& name) {
  const bool inLanguage = RemoveDatabaseInFolder(m_language, name);
  const bool inUniversal = RemoveDatabaseInFolder(kUniversalFolder, name);
  return inLanguage || inUniversal;
}

void DatabaseManager::AddDatabaseInFolder(const std::string& folder, const std::string& name) {
  const std::string keyPath = folder + "\\" + name;
  const uint32_t key = NameHash(keyPath.c_str());
  const auto [first, last] = m_records.equal_range(key);
  if (first != last) {
    for (auto it = first; it != last; ++it) it->second->AddRef();
    return;
  }
  // Each registration goes to the front, so the hard-disk directory ends up searched first and
  // the CD archive last: copies on the hard disk shadow those on the CD.
  if (m_cdRoot) {
    AddZipDatabase(m_cdRoot, keyPath, true);
    AddDirectoryDatabase(m_cdRoot, keyPath);
  }
  if (m_hdRoot) {
    AddZipDatabase(m_hdRoot, keyPath, false);
    AddDirectoryDatabase(m_hdRoot, keyPath);
  }
}

bool DatabaseManager::AddZipDatabase(const std::shared_ptr<IFileSpec>& root, const std::string& keyPath,
                                     bool onCd) {
  if (!root || keyPath.empty()) return false;
  std::shared_ptr<IFileSpec> spec = Joined(root, keyPath + ".qel");
  if (!spec || !FileExists(spec)) return false;
  auto zip = std::make_shared<ResourceZipfile>();
  if (!zip->Open(spec, 0)) return false;
  AddRecord(NameHash(keyPath.c_str()), zip);
  if (onCd) {
    Trace("INFO: Added resource Zip       %s%s.qel.\n", root->GetPath().c_str(), keyPath.c_str());
  } else {
    Trace("INFO: Added resource Zip       %s\\%s.qel.\n", root->GetPath().c_str(), keyPath.c_str());
  }
  return true;
}

bool DatabaseManager::AddDirectoryDatabase(const std::shared_ptr<IFileSpec>& root,
                                           const std::string& keyPath) {
  if (!root || keyPath.empty()) return false;
  std::shared_ptr<IFileSpec> spec = Joined(root, keyPath);
  if (!spec || !FileExists(spec)) return false;
  // A file of the database's name would only make an empty database that hides the mistake.
  if (!IsDirectory(spec)) {
    Trace("WARN: Database folder %s is not a folder; skipped.\n",
          plat::win::LinuxPathAsWritten(spec->GetPath().c_str()).c_str());
    return false;
  }
  auto tree = std::make_shared<ResourceTree>();
  if (!tree->Open(spec, 0)) return false;
  AddRecord(NameHash(keyPath.c_str()), tree);
  Trace("INFO: Added resource directory %s\\%s.\n", root->GetPath().c_str(), keyPath.c_str());
  return true;
}

void DatabaseManager::AddRecord(uint32_t key, const std::shared_ptr<IResourceFile>& database) {
  auto record = std::make_unique<DatabaseRecord>(database);
  record->AddRef();
  m_records.emplace(key, std::move(record));
}

bool DatabaseManager::RemoveDatabaseInFolder(const std::string& folder, const std::string& name) {
  const std::string keyPath = folder + "\\" + name;
  const auto [first, last] = m_records.equal_range(NameHash(keyPath.c_str()));
  if (first == last) {
    Trace("INFO: Database %s not found.\n", keyPath.c_str());
    return false;
  }
  for (auto it = first; it != last;) {
    if (it->second->Release() == 0) {
      Trace("INFO: Removed resource database %s\n", keyPath.c_str());
      it = m_records.erase(it);
    } else {
      ++it;
    }
  }
  return true;
}

}  // namespace Qel
