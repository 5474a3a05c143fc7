// The "credits" database: sixteen pages that roll up over the credits music.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec CreditsDatabase() {
  using namespace kit;
  DatabaseSpec database;
  database.m_name = "credits";
  ObjectFileSpec objects{"creditsobjs", {}};
  for (int page = 1; page <= 16; ++page) {
    const std::string name = "credits" + std::to_string(page);
    // The screen places the pages; the file's places are overwritten. Low pages keep the roll short:
    // (600 + 16 x 40) / 40 = 31 s.
    database.m_sprites.push_back(Picture(name, 800, 40));
    objects.m_objects.push_back(Object("ambient", name, name, 0, 600, 100 + page));
  }
  database.m_objectFiles.push_back(objects);
  database.m_textFiles.push_back({"creditsData", {"; the credits roll", "room = credits"}});
  // The roll speaks no line, but its room data names a caption resource.
  database.m_textFiles.push_back({"credits_CC", {"; no spoken lines"}, Locale::kEngUsa});
  return database;
}

}  // namespace fixture
