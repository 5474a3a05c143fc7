// The "credits" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec CreditsDatabase() {
  DatabaseSpec database;
  database.m_name = "credits";
  return database;
}

}  // namespace fixture
