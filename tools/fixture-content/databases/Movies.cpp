// The "Movies" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec MoviesDatabase() {
  DatabaseSpec database;
  database.m_name = "Movies";
  return database;
}

}  // namespace fixture
