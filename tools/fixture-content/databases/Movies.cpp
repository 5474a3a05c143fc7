// The "Movies" database: every movie the game plays, under the name it plays it by.
#include "fixture-content/ContentDatabases.h"

namespace fixture {

namespace {

constexpr const char* kMovies[] = {
    // The title screen's opening sequence, in its order.
    "tolvane_logo",
    "VantroLogo",
    "OvnLogo",
    "Tzlogo",
    "PlaceholderLegal",
    "splash",
    // The movie gallery's seven movies (the games' closing movies) and its fallback.
    "ConcentrationFMV",
    "SubGameFMV",
    "MoonfishFMV",
    "ShellFMV",
    "TurtleFMV",
    "TribalFMV",
    "Final",
    "Placeholder",
    // The prizes of levels 1 to 5 that the mini-games share.
    "Prize_Conch",
    "Prize_Sanddollar",
    "Prize_Anchor",
    "Prize_Ship",
    "Prize_Pearl",
    // The game of node 12's prizes, and the submarine game's ends of a level.
    "Prize_wood",
    "Prize_glass",
    "Prize_bronze",
    "Prize_silver",
    "Sub_Movie_Happy",
    "Sub_Movie_Angry",
};

}  // namespace

DatabaseSpec MoviesDatabase() {
  DatabaseSpec database;
  database.m_name = "Movies";
  for (const char* name : kMovies) database.m_movies.push_back(MovieSpec{name});
  return database;
}

}  // namespace fixture
