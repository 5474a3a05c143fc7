// The "Movies" database: the title sequence, the movie gallery's movies and the prize movies that
// every mini-game shares, added for the whole run.
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/TableKit.h"

namespace fixture {

DatabaseSpec MoviesDatabase() {
  DatabaseSpec database;
  database.m_name = "Movies";
  for (const char* name :
       {"tolvane_logo", "VantroLogo", "OvnLogo", "Tzlogo", "PlaceholderLegal", "splash", "ConcentrationFMV",
        "SubGameFMV", "MoonfishFMV", "ShellFMV", "TurtleFMV", "TribalFMV", "final", "Placeholder", "Prize_Conch",
        "Prize_Sanddollar", "Prize_Anchor", "Prize_Ship", "Prize_Pearl"})
    database.m_movies.push_back(kit::Movie(name));
  return database;
}

}  // namespace fixture
