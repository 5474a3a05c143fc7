// The sprites that every game node loads, for tests whose own content does not give them.
#include "support/NodeContent.h"

#include <memory>
#include <string>

#include "core/IMemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "fixture-content/SpriteFileWriter.h"
#include "support/ObjectStage.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace test {

namespace {

struct NodeSprite {
  const char* name;
  int32_t width;
  int32_t height;
};

constexpr NodeSprite kNodeSprites[] = {
    {"ccBar", 800, 40}, {"DialogBox", 300, 200}, {"Pilo_yes", 100, 60}, {"Pilo_no", 100, 60}};

bool IsThere(const char* name) {
  std::shared_ptr<Qel::IMemoryBlock> block;
  Qel::ResourceManager::GetInstance()->Load(Qel::NameHash(name), Qel::kTypeSprite, block);
  return block != nullptr;
}

}  // namespace

void ProvideNodeSprites() {
  bool missing = false;
  for (const NodeSprite& sprite : kNodeSprites) missing = missing || !IsThere(sprite.name);
  if (!missing) return;
  // Kept to the end of the process: the resource manager may read the files until then.
  static TempDir* folder = nullptr;
  if (!folder) {
    folder = new TempDir;
    for (const NodeSprite& sprite : kNodeSprites)
      WriteFile(folder->Path() / (std::string(sprite.name) + ".qela"),
                fixture::WriteSpriteFile(StageSprite(sprite.width, sprite.height)));
  }
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(WindowsPathOf(folder->Path()));
  auto tree = std::make_shared<Qel::ResourceTree>();
  tree->Open(spec, 0);
  // Behind everything mounted so far, so that a test's own sprites of these names win.
  Qel::ResourceManager::GetInstance()->AddResourceFile(tree, 0);
}

}  // namespace test
