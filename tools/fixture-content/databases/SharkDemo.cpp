// The "SharkDemo" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec SharkDemoDatabase() {
  DatabaseSpec database;
  database.m_name = "SharkDemo";
  return database;
}

}  // namespace fixture
