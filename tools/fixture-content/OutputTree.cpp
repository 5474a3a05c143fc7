// The content set's files, and writing them as folders or archives.
#include "fixture-content/OutputTree.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "fixture-content/QelArchiveWriter.h"
#include "platform/win/kernel/AsciiCase.h"

namespace fixture {

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

std::string DatabaseRef::Folder() const {
  return std::string(LocaleFolder(m_locale)) + "/" + m_name;
}

void OutputTree::Add(const DatabaseRef& database, const std::string& fileName, std::string bytes,
                     Storage storage) {
  if (fileName.empty() || fileName.find('/') != std::string::npos)
    throw std::runtime_error("bad member name \"" + fileName + "\" in " + database.Folder());
  const auto [it, added] = m_folded[database].emplace(plat::AsciiLower(fileName), fileName);
  if (!added)
    throw std::runtime_error(database.Folder() + " gets " + fileName + " twice (as " + it->second + ")");
  m_databases[database][fileName] = OutputFile{std::move(bytes), storage};
}

void OutputTree::AddTopLevel(const std::string& relativePath, std::string bytes) {
  if (relativePath.empty() || !m_topLevel.emplace(relativePath, std::move(bytes)).second)
    throw std::runtime_error("top-level file \"" + relativePath + "\" given twice");
}

bool OutputTree::Has(const DatabaseRef& database, const std::string& fileName) const {
  const auto found = m_folded.find(database);
  return found != m_folded.end() && found->second.count(plat::AsciiLower(fileName)) != 0;
}

void WriteTree(const OutputTree& tree, const std::filesystem::path& out, ContentForm form) {
  // Only a folder this generator wrote is emptied: one pointed at a copy of the disc by mistake
  // keeps its files. The mark goes first and stays, so that a run cut short can be repeated.
  const std::filesystem::path mark = out / kContentMark;
  const bool holdsContent =
      std::filesystem::exists(out / "universal") || std::filesystem::exists(out / "eng_usa");
  if (holdsContent && !std::filesystem::exists(mark) && !std::filesystem::exists(out / "manifest.json"))
    throw std::runtime_error(out.string() +
                             " holds databases this generator did not write; choose another folder");
  WriteFile(mark, "written by fixture-content\n");
  // An earlier run's files would otherwise stay in the databases the engine reads.
  for (const Locale locale : {Locale::kUniversal, Locale::kEngUsa})
    std::filesystem::remove_all(out / LocaleFolder(locale));
  std::filesystem::remove_all(out / "saves");

  for (const auto& [database, files] : tree.Databases()) {
    const std::filesystem::path folder = out / LocaleFolder(database.m_locale) / database.m_name;
    std::vector<std::pair<std::string, std::string>> members;
    for (const auto& [name, file] : files) {
      const bool inFolder = form != ContentForm::kArchive || file.m_storage == Storage::kPlain;
      if (inFolder) WriteFile(folder / name, file.m_bytes);
      if (form != ContentForm::kDirectory && file.m_storage == Storage::kArchived)
        members.emplace_back(name, file.m_bytes);
    }
    if (form != ContentForm::kDirectory) {
      std::filesystem::path archive = folder;
      archive += ".qel";
      WriteFile(archive, WriteQelArchive(members));
    }
  }
  for (const auto& [path, bytes] : tree.TopLevel()) WriteFile(out / path, bytes);
}

}  // namespace fixture
