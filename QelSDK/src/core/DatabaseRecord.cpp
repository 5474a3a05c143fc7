// One registered resource database and how many users its name has.
#include "core/DatabaseRecord.h"

#include "core/ResourceManager.h"

namespace Qel {

DatabaseRecord::DatabaseRecord(const std::shared_ptr<IResourceFile>& database) : m_database(database) {
  ResourceManager::GetInstance()->AddResourceFile(m_database, 1);
}

uint32_t DatabaseRecord::Release() {
  if (m_useCount == 0) return 0;
  if (--m_useCount == 0) ResourceManager::GetInstance()->RemoveResourceFile(m_database);
  return m_useCount;
}

}  // namespace Qel
