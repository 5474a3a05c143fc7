// The "UpsellDemo" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec UpsellDemoDatabase() {
  DatabaseSpec database;
  database.m_name = "UpsellDemo";
  return database;
}

}  // namespace fixture
