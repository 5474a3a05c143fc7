// Every database of the content set. A database is one table: a function of databases/ that returns
// its DatabaseSpec, named in the list of ContentDatabases.cpp.
#pragma once

#include <vector>

#include "fixture-content/ContentSpec.h"

namespace fixture {

using DatabaseTable = DatabaseSpec (*)();

// In the order they are written.
const std::vector<DatabaseTable>& DatabaseTables();

// The tables' databases; a name twice is an error (std::runtime_error).
std::vector<DatabaseSpec> AllDatabases();

// The tables.
DatabaseSpec GlobalDatabase();
DatabaseSpec MoviesDatabase();
DatabaseSpec MusicDatabase();
DatabaseSpec TitleScreenDatabase();
DatabaseSpec SignInDatabase();
DatabaseSpec HubDatabase();
DatabaseSpec CreditsDatabase();
DatabaseSpec SharkDemoDatabase();
DatabaseSpec UpsellDemoDatabase();
DatabaseSpec TribalDemoDatabase();
DatabaseSpec Game9Database();
DatabaseSpec Game4Database();
DatabaseSpec Game3Database();
DatabaseSpec Game8Database();
DatabaseSpec Game6Database();
DatabaseSpec Game7Database();
DatabaseSpec Game5Database();

}  // namespace fixture
