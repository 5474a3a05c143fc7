// The generator's modules in the order they run, and the run.
#include "fixture-content/ContentModule.h"

namespace fixture {

std::vector<std::unique_ptr<ContentModule>> ContentModules() {
  std::vector<std::unique_ptr<ContentModule>> modules;
  modules.push_back(MakeTextModule());
  modules.push_back(MakeSpriteModule());
  modules.push_back(MakeSoundModule());
  modules.push_back(MakeStringTableModule());
  modules.push_back(MakeVoiceModule());
  modules.push_back(MakeMovieModule());
  modules.push_back(MakeSaveModule());
  return modules;
}

void GenerateContent(const std::vector<DatabaseSpec>& databases, const ContentOptions& options,
                     OutputTree& tree, Manifest& manifest) {
  for (const std::unique_ptr<ContentModule>& module : ContentModules())
    module->Write(databases, options, tree, manifest);
  tree.AddTopLevel("manifest.json", manifest.ToJson());
}

}  // namespace fixture
