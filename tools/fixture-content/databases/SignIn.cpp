// The "SignIn" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec SignInDatabase() {
  DatabaseSpec database;
  database.m_name = "SignIn";
  return database;
}

}  // namespace fixture
