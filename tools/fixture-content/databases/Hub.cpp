// The "HUB" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec HubDatabase() {
  DatabaseSpec database;
  database.m_name = "HUB";
  return database;
}

}  // namespace fixture
