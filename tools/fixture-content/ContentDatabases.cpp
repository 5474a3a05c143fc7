// The list of the content set's databases.
#include "fixture-content/ContentDatabases.h"

#include <set>
#include <stdexcept>

namespace fixture {

const std::vector<DatabaseTable>& DatabaseTables() {
  static const std::vector<DatabaseTable> tables = {
      GlobalDatabase,
      MoviesDatabase,
      MusicDatabase,
      TitleScreenDatabase,
      SignInDatabase,
      HubDatabase,
      CreditsDatabase,
      SharkDemoDatabase,
      UpsellDemoDatabase,
      TribalDemoDatabase,
      Game9Database,
      Game4Database,
      Game3Database,
      Game8Database,
      Game6Database,
      Game7Database,
      Game5Database,
  };
  return tables;
}

std::vector<DatabaseSpec> AllDatabases() {
  std::vector<DatabaseSpec> databases;
  std::set<std::string> names;
  for (const DatabaseTable table : DatabaseTables()) {
    databases.push_back(table());
    if (!names.insert(databases.back().m_name).second)
      throw std::runtime_error("database " + databases.back().m_name + " is listed twice");
  }
  return databases;
}

}  // namespace fixture
