// Fuzz target: arbitrary bytes as an object-definition file that names the object classes only the
// mini-games teach the factory (the swim game's fish), loaded into an object list over a few sprites
// of a memory database, then updated, given input and, for each fish, steered, turned, blinked and
// moved as the swim game's step does. A duplicate name and a sprite that cannot be loaded are the only
// texts it may throw.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "FuzzObjects.h"
#include "core/Periodical.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/GameClock.h"
#include "framework/GameSpriteLoader.h"
#include "framework/GenericObject.h"
#include "framework/ObjectDefinitionLoader.h"
#include "framework/ObjectList.h"
#include "game6/Game6Pilo.h"
#include "graphics/SpriteLoader.h"

namespace {

using Fish = Game6Node::Game6Pilo;

constexpr const char* kDefinitions = "defs";
// The fish's two sets of animations, and a few more for what a file may ask.
constexpr int kAnimations = 32;

using fuzzobjects::Require;
using fuzzobjects::StartsWith;

// Every animation two frames long, the odd ones looping, so that turns end and loops go on.
fixture::SpriteFile Sprite(int animations) {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(16, 12, 0xFFFF0000)};
  for (int i = 0; i < animations; ++i) {
    fixture::SpriteFileAnimation animation;
    animation.m_frames = {fixture::SpriteFileFrame(), fixture::SpriteFileFrame()};
    animation.m_playMode = i % 2 ? 2 : 0;
    file.m_animations.push_back(animation);
  }
  return file;
}

struct Stage {
  Stage() {
    ready = fuzzinput::OpenDummyDisplay();
    database->m_sprites[Qel::NameHash("SS_Pilo")] = fixture::WriteSpriteFile(Sprite(kAnimations));
    database->m_sprites[Qel::NameHash("spr")] = fixture::WriteSpriteFile(Sprite(1));
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
    Fish::RegisterClass();
  }

  std::shared_ptr<fuzzinput::InputDatabase> database =
      std::make_shared<fuzzinput::InputDatabase>(kDefinitions);
  bool ready = false;
};

// What the swim game's step asks of its fish, driven by the input's own bytes.
void Swim(Fish& fish, const uint8_t* data, size_t size) {
  uint32_t now = GameClock::Instance().GetTime();
  for (size_t i = 0; i < 24; ++i) {
    const uint8_t byte = size ? data[i % size] : static_cast<uint8_t>(i);
    const Qel::Point2 mouse((byte * 7) % 800, (byte * 13) % 600);
    const int32_t index = fish.SteeringIndex(mouse, byte * 3 - 200);
    Require(index >= 0 && index <= 8);
    fish.ShowMovement(byte & 15, byte & 16, byte & 32, byte & 64);
    if (byte & 128) fish.SetAnimationKeepingSet(byte % kAnimations);
    if (byte % 11 == 0) fish.Blink(byte * 4);
    Require(fish.PlainTwinOf(fish.GetShownAnimation()) < kAnimations);
    now += 40;
    GameClock::Instance().SetTime(now);
    Qel::Periodical::UpdateAll();
    fish.Update();
  }
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
  fuzzobjects::RequireUniqueNames(list);
  InputEventInfo input;
  input.position = Qel::Point2(8, 6);
  list.UpdateAll();
  list.BroadcastLeftButtonDown(input);
  list.BroadcastLeftButtonUp(input);
  for (int32_t i = 0; GenericObject* object = list.At(i); ++i) {
    if (auto* fish = dynamic_cast<Fish*>(object)) Swim(*fish, data, size);
  }
  while (GenericObject* object = list.At(0)) {
    list.Remove(object);
    delete object;
  }
  // Nothing of this input is in use any more: the loader lets its files go.
  GetSpriteLoader().Update();
  return 0;
}
