// The "TitleScreen" database: the page behind the opening movies.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec TitleScreenDatabase() {
  using namespace kit;
  DatabaseSpec database;
  database.m_name = "TitleScreen";
  database.m_sprites.push_back(Picture("TitleScreen_bkg", 800, 600));
  database.m_objectFiles.push_back(
      {"TitleScreenObjs", {Object("background", "TitleBk", "TitleScreen_bkg", 0, 0, 0)}});
  // The title screen reads no key of its own.
  database.m_textFiles.push_back({"TitleScreenData", {"; the title screen", "room = titlescreen"}});
  return database;
}

}  // namespace fixture
