// The "TribalDemo" database: the music game's demo title page; the hub is not added there, so the
// page brings its own copies of the hub's pictures it shows.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec TribalDemoDatabase() {
  using namespace kit;
  DatabaseSpec database;
  database.m_name = "TribalDemo";
  database.m_sprites = {Picture("loading_tribal", 800, 600), Button("SignInPlayBut", 120, 80)};
  return database;
}

}  // namespace fixture
