// The "TribalDemo" database.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

DatabaseSpec TribalDemoDatabase() {
  DatabaseSpec database;
  database.m_name = "TribalDemo";
  return database;
}

}  // namespace fixture
