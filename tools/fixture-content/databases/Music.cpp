// The "Music" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec MusicDatabase() {
  DatabaseSpec database;
  database.m_name = "Music";
  return database;
}

}  // namespace fixture
