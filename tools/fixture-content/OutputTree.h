// The content set's files before they are written: each database's members, and files at the top of
// the output folder ("PiloStr.txt", the saves). Modules add to it; WriteTree writes it in a form.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "fixture-content/ContentOptions.h"
#include "fixture-content/ContentSpec.h"

namespace fixture {

// A database in one locale folder: "universal/Global", "eng_usa/HUB".
struct DatabaseRef {
  Locale m_locale = Locale::kUniversal;
  std::string m_name;

  std::string Folder() const;
  friend bool operator<(const DatabaseRef& a, const DatabaseRef& b) {
    return std::pair(a.m_locale, a.m_name) < std::pair(b.m_locale, b.m_name);
  }
};

// Archived members go into the ".qel" archive; plain ones (sounds and movies, which the engine plays
// only from files in a folder database) stay files in the folder beside it.
enum class Storage { kArchived, kPlain };

struct OutputFile {
  std::string m_bytes;
  Storage m_storage = Storage::kArchived;
};

class OutputTree {
public:
  // A member "name.ext" of the database; a name given twice (whatever its case) is an error
  // (std::runtime_error), since the engine would see only one of them.
  void Add(const DatabaseRef& database, const std::string& fileName, std::string bytes, Storage storage);
  // A file under the output folder, by its relative path with "/" ("PiloStr.txt", "saves/...").
  void AddTopLevel(const std::string& relativePath, std::string bytes);

  bool Has(const DatabaseRef& database, const std::string& fileName) const;
  const std::map<DatabaseRef, std::map<std::string, OutputFile>>& Databases() const { return m_databases; }
  const std::map<std::string, std::string>& TopLevel() const { return m_topLevel; }

private:
  std::map<DatabaseRef, std::map<std::string, OutputFile>> m_databases;
  // Lower-cased member names per database, for the duplicate check.
  std::map<DatabaseRef, std::map<std::string, std::string>> m_folded;
  std::map<std::string, std::string> m_topLevel;
};

// Writes the tree under out in the form; files of an earlier run are replaced, and nothing else under
// out is left behind in the locale folders. A folder with locale folders but no "manifest.json" was
// not written here and is refused; the folder gets the mark kContentMark before anything else. Errors
// are std::runtime_error.
inline constexpr const char* kContentMark = "fixture-content.mark";

void WriteTree(const OutputTree& tree, const std::filesystem::path& out, ContentForm form);

}  // namespace fixture
