// The "Movies" database: the title sequence and the movie gallery's movies, added for the whole run.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec MoviesDatabase() {
  DatabaseSpec database;
  database.m_name = "Movies";
  for (const char* name :
       {"tolvane_logo", "VantroLogo", "OvnLogo", "Tzlogo", "PlaceholderLegal", "splash", "ConcentrationFMV",
        "SubGameFMV", "MoonfishFMV", "ShellFMV", "TurtleFMV", "TribalFMV", "final", "Placeholder"})
    database.m_movies.push_back(kit::Movie(name));
  return database;
}

}  // namespace fixture
