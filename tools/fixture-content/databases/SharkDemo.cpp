// The "SharkDemo" database: the demo title page's picture and forward arrow.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec SharkDemoDatabase() {
  using namespace kit;
  DatabaseSpec database;
  database.m_name = "SharkDemo";
  database.m_sprites = {Picture("Main_title", 800, 600), Button("ForwardArrow", 90, 60)};
  return database;
}

}  // namespace fixture
