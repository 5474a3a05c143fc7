// The save module: the prepared saves under "saves/".
#include "fixture-content/ContentModule.h"
#include "fixture-content/media/PreparedSaves.h"

namespace fixture {

namespace {

class SaveModule : public ContentModule {
public:
  const char* Name() const override { return "saves"; }

  void Write(const std::vector<DatabaseSpec>&, const ContentOptions&, OutputTree& tree,
             Manifest& manifest) override {
    for (PreparedSave& save : PreparedSaves()) {
      const std::string path = "saves/" + save.m_file;
      tree.AddTopLevel(path, std::move(save.m_bytes));
      manifest.AddSave({path, save.m_description});
    }
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeSaveModule() {
  return std::make_unique<SaveModule>();
}

}  // namespace fixture
