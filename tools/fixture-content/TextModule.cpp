// The text module: object-definition files, the other text data and the caption files.
#include <map>
#include <set>
#include <stdexcept>

#include "fixture-content/ContentModule.h"
#include "fixture-content/TextContent.h"
#include "platform/win/kernel/AsciiCase.h"

namespace fixture {

namespace {

class TextModule : public ContentModule {
public:
  const char* Name() const override { return "text"; }

  void Write(const std::vector<DatabaseSpec>& databases, const ContentOptions&, OutputTree& tree,
             Manifest& manifest) override {
    for (const DatabaseSpec& database : databases) {
      const DatabaseRef universal{Locale::kUniversal, database.m_name};
      const DatabaseRef language{Locale::kEngUsa, database.m_name};
      for (const ObjectFileSpec& file : database.m_objectFiles) {
        // The game ends on a second object of one name.
        std::set<std::string> names;
        std::vector<ManifestObject> objects;
        for (const ObjectSpec& object : file.m_objects) {
          if (!names.insert(plat::AsciiLower(object.m_name)).second)
            throw std::runtime_error(file.m_name + " defines " + object.m_name + " twice");
          objects.push_back({object.m_class, object.m_name, object.m_sprite, object.m_x, object.m_y});
        }
        tree.Add(universal, file.m_name + ".txt", ObjectFileText(file), Storage::kArchived);
        manifest.AddObjectFile(universal, file.m_name, std::move(objects));
      }
      for (const TextFileSpec& file : database.m_textFiles) {
        tree.Add(file.m_locale == Locale::kEngUsa ? language : universal, file.m_name + ".txt",
                 CrLfText(file.m_lines), Storage::kArchived);
      }
      std::map<std::string, std::vector<SpokenLineSpec>> captionFiles;
      for (const SpokenLineSpec& line : database.m_spokenLines) {
        if (!line.m_captionFile.empty()) captionFiles[line.m_captionFile].push_back(line);
      }
      for (const auto& [name, lines] : captionFiles)
        tree.Add(language, name + ".txt", CaptionFileText(lines), Storage::kArchived);
    }
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeTextModule() {
  return std::make_unique<TextModule>();
}

}  // namespace fixture
