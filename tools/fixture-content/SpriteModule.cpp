// The sprite module: every sprite of the tables through the sprite-file writer.
#include "fixture-content/ContentModule.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/SpriteFileWriter.h"

namespace fixture {

namespace {

class SpriteModule : public ContentModule {
public:
  const char* Name() const override { return "sprites"; }

  void Write(const std::vector<DatabaseSpec>& databases, const ContentOptions&, OutputTree& tree,
             Manifest& manifest) override {
    for (const DatabaseSpec& database : databases) {
      const DatabaseRef universal{Locale::kUniversal, database.m_name};
      for (const SpriteSpec& sprite : database.m_sprites) {
        tree.Add(universal, sprite.m_name + ".qela", WriteSpriteFile(MakeSprite(sprite)), Storage::kArchived);
        manifest.AddSprite(universal, sprite.m_name, ManifestOf(sprite));
      }
    }
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeSpriteModule() {
  return std::make_unique<SpriteModule>();
}

}  // namespace fixture
