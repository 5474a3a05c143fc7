// The "TitleScreen" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec TitleScreenDatabase() {
  DatabaseSpec database;
  database.m_name = "TitleScreen";
  return database;
}

}  // namespace fixture
