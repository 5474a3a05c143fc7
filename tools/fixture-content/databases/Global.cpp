// The "Global" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec GlobalDatabase() {
  DatabaseSpec database;
  database.m_name = "Global";
  return database;
}

}  // namespace fixture
