// Fuzz target: arbitrary bytes as an object-definition file, loaded into an object list by the
// game's own factories over a few sprites of a memory database; the list is then updated and given
// input. A duplicate name and a sprite that cannot be loaded are the only texts it may throw, the
// latter also from the input and the updates (a particle or a banner digit of a sprite not there).
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "FuzzObjects.h"
#include "core/IResourceFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/Periodical.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/GameSpriteLoader.h"
#include "framework/GenericObject.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/ObjectList.h"
#include "graphics/SpriteLoader.h"

namespace {

constexpr const char* kDefinitions = "defs";

using fuzzobjects::Require;
using fuzzobjects::StartsWith;

// Two animations, the second looping, so that updates and keys such as "seq" have work to do.
fixture::SpriteFile Sprite(int32_t width, int32_t height) {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(width, height, 0xFFFF0000)};
  fixture::SpriteFileAnimation still;
  still.m_frames = {fixture::SpriteFileFrame()};
  fixture::SpriteFileAnimation loop = still;
  loop.m_playMode = 2;
  loop.m_frames.push_back(fixture::SpriteFileFrame());
  file.m_animations = {still, loop};
  return file;
}

struct Stage {
  Stage() {
    ready = fuzzinput::OpenDummyDisplay();
    for (const char* name : {"box", "a", "b", "spr"}) {
      database->m_sprites[Qel::NameHash(name)] = fixture::WriteSpriteFile(Sprite(16, 12));
    }
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
  }

  std::shared_ptr<fuzzinput::InputDatabase> database =
      std::make_shared<fuzzinput::InputDatabase>(kDefinitions);
  bool ready = false;
};

// No two names equal without regard to case; listed again, as a node lists what it loaded, the
// objects stand deepest first. (Depths set by keys after a header do not reorder the loaded list.)
void CheckOrder(const ObjectList& list) {
  ObjectList relisted;
  for (int32_t i = 0; i < list.GetCount(); ++i) relisted.Insert(list.At(i));
  for (int32_t i = 0; i + 1 < relisted.GetCount(); ++i) {
    Require(relisted.At(i)->GetZ() >= relisted.At(i + 1)->GetZ());
  }
  fuzzobjects::RequireUniqueNames(list);
}

void Exercise(ObjectList& list) {
  InputEventInfo input;
  input.position = Qel::Point2(8, 6);
  for (int frame = 0; frame < 2; ++frame) {
    Qel::Periodical::UpdateAll();
    list.UpdateAll();
    list.BroadcastLeftButtonDown(input);
    list.BroadcastLeftButtonUp(input);
    list.BroadcastChar('a');
  }
  for (int32_t i = 0; i < list.GetCount(); ++i) list.At(i)->HitTest(8, 6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  static Stage stage;
  if (!stage.ready) return 0;
  stage.database->m_data = data;
  stage.database->m_size = size;

  ObjectList list;
  fuzzobjects::LoadChecked(kDefinitions, list, size);
  CheckOrder(list);
  try {
    Exercise(list);
  } catch (const char* text) {
    Require(StartsWith(text, "Failed to load sprite '"));
  }
  while (GenericObject* object = list.At(0)) {
    list.Remove(object);
    delete object;
  }
  // Nothing of this input is in use any more: the loader lets its files go.
  GetSpriteLoader().Update();
  Require(GetSpriteLoader().GetCacheSize() == 0);
  return 0;
}
