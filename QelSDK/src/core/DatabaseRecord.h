// One registered resource database and how many users its name has.
#pragma once

#include <cstdint>
#include <memory>

#include "core/IResourceFile.h"

namespace Qel {

class DatabaseRecord {
public:
  // Registers the database at the front of the resource manager's search list.
  explicit DatabaseRecord(const std::shared_ptr<IResourceFile>& database);
  DatabaseRecord(const DatabaseRecord&) = delete;
  DatabaseRecord& operator=(const DatabaseRecord&) = delete;

  void AddRef() { ++m_useCount; }
  // Unregisters the database when the last user leaves; the new count.
  uint32_t Release();

  const std::shared_ptr<IResourceFile>& GetDatabase() const { return m_database; }
  uint32_t GetUseCount() const { return m_useCount; }

private:
  std::shared_ptr<IResourceFile> m_database;
  uint32_t m_useCount = 0;
};

}  // namespace Qel
