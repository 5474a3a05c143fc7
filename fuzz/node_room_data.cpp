// Fuzz target: arbitrary bytes as the room data of the hub, the sign-in screen and the sub, swim, ride
// and shell games, and as the shell game's progression data, each read by a node of its kind (not
// activated) through its own key handler, the room data as a room loads it, with its captions and a
// new speech queue. Only the shell game takes keys; what it takes stays within what its play reads
// (a finite top speed) and its sounds go with the node.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/MainApp.h"
#include "frontend/HubNode.h"
#include "frontend/SignInScreen.h"
#include "game5/Game5Node.h"
#include "game6/Game6Node.h"
#include "game7/Game7Node.h"
#include "game8/Game8Node.h"

namespace {

constexpr const char* kInput = "input";

void Require(bool condition) {
  if (!condition) std::abort();
}

// Every node's caption bar is a sprite object.
fixture::SpriteFile Sprite() {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(16, 12, 0xFFFF0000)};
  fixture::SpriteFileAnimation still;
  still.m_frames = {fixture::SpriteFileFrame()};
  file.m_animations = {still};
  return file;
}

struct Stage {
  Stage() {
    ready = fuzzinput::OpenDummyDisplay();
    database->m_sprites[Qel::NameHash("ccBar")] = fixture::WriteSpriteFile(Sprite());
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
  }

  std::shared_ptr<fuzzinput::InputDatabase> database = std::make_shared<fuzzinput::InputDatabase>(kInput);
  bool ready = false;
};

// A room's data as the room loads it; without data there is nothing to read, which is no failure here.
template <typename Node>
void LoadAsRoom(size_t size) {
  Node node;
  Require(node.LoadRoomData(kInput, kInput) || size == 0);
  Require(gCaptionsOn == 0 || gCaptionsOn == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  static Stage stage;
  if (!stage.ready) return 0;
  stage.database->m_data = data;
  stage.database->m_size = size;

  LoadAsRoom<HubNode>(size);
  LoadAsRoom<Game5Node>(size);
  LoadAsRoom<Game6Node>(size);
  LoadAsRoom<Game7Node>(size);
  LoadAsRoom<Game8Node>(size);
  {
    SignInScreen screen;
    Require(screen.LoadTxtData(kInput) || size == 0);
  }
  {
    Game8Node shells;
    Require(shells.LoadTxtData(kInput) || size == 0);
    Require(std::isfinite(shells.GetMaxSpeed()));
  }
  return 0;
}
