// The "Music" database: the rooms' music loops, added for the whole run.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec MusicDatabase() {
  DatabaseSpec database;
  database.m_name = "Music";
  for (const char* name : {"Signin_music", "HUB_music_tempMSB", "Credits_music_loop"})
    database.m_sounds.push_back(kit::Music(name));
  return database;
}

}  // namespace fixture
