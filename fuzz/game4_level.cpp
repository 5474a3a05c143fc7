// Fuzz target: arbitrary bytes as the shape game's text data, split at "\n@@\n" into its globals
// ("G4_globals"), level file ("level01_") and every other text (timing files and the metronome's
// marks), loaded into a level on a node holding the objects the game names. A level either refuses
// with a text naming what is at fault, or its sequences prepare and play a little without hanging.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "core/IResourceFile.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/Clickable.h"
#include "framework/GameNode.h"
#include "framework/SpriteObject.h"
#include "game4/BubbleList.h"
#include "game4/Game4Node.h"
#include "game4/Level.h"
#include "game4/Moonfish.h"
#include "game4/Sequence.h"
#include "game4/SequenceList.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

fixture::SpriteFile Sprite(int animations) {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(8, 8, 0xFFFF0000)};
  for (int i = 0; i < animations; ++i) {
    fixture::SpriteFileAnimation still;
    still.m_frames = {fixture::SpriteFileFrame()};
    file.m_animations.push_back(still);
  }
  return file;
}

// The three texts of the input by name; any name but the first two gets the third.
class TextsDatabase : public Qel::IResourceFile {
public:
  void Load(uint32_t, uint32_t, std::shared_ptr<Qel::IMemoryBlock>&) override {}
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Qel::Stream>& out) override {
    if (type == Qel::kTypeText) {
      const std::string& text = nameHash == Qel::NameHash("G4_globals") ? globals
                                : nameHash == Qel::NameHash("level01_") ? level
                                                                        : other;
      out = fuzzinput::StreamOver(reinterpret_cast<const uint8_t*>(text.data()), text.size());
      return;
    }
    const auto sprite = sprites.find(nameHash);
    if (type == Qel::kTypeSprite && sprite != sprites.end())
      out = fuzzinput::StreamOver(reinterpret_cast<const uint8_t*>(sprite->second.data()),
                                  sprite->second.size());
  }

  std::map<uint32_t, std::string> sprites;
  std::string globals;
  std::string level;
  std::string other;
};

class ListeningNode : public GameNode, public Game4Node::LevelListener {
public:
  void OnPlayersTurn() override {}
  void OnSequenceResult(bool, bool) override {}
  void OnLevelComplete() override {}
  uint32_t GetPressTime() const override { return 0; }
};

struct Stage {
  Stage() {
    ready = fuzzinput::OpenDummyDisplay();
    for (const char* name : {"ccBar", "DialogBox", "Pilo_yes", "Pilo_no", "box"})
      database->sprites[Qel::NameHash(name)] = fixture::WriteSpriteFile(Sprite(3));
    database->sprites[Qel::NameHash("shape")] = fixture::WriteSpriteFile(Sprite(4));
    database->sprites[Qel::NameHash("school")] = fixture::WriteSpriteFile(Sprite(23));
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
    if (!ready) return;
    node = std::make_unique<ListeningNode>();
    for (int i = 0; i < 5; ++i) Add(new Clickable(("shape" + std::to_string(i)).c_str(), "shape", 0));
    Add(new SpriteObject("moonfish", "school", 0));
    for (int i = 0; i < 20; ++i)
      Add(new SpriteObject(((i < 10 ? "b0" : "b") + std::to_string(i)).c_str(), "shape", 0));
    for (int i = 0; i < 5; ++i) Add(new SpriteObject(("CheckBox_" + std::to_string(i)).c_str(), "box", 0));
  }
  void Add(GenericObject* object) {
    objects.emplace_back(object);
    node->AddObject(object);
  }

  std::shared_ptr<TextsDatabase> database = std::make_shared<TextsDatabase>();
  std::unique_ptr<ListeningNode> node;
  std::vector<std::unique_ptr<GenericObject>> objects;
  bool ready = false;
};

bool IsRefusal(std::string_view text) {
  for (std::string_view known : {"Level file '", "No moonfish school for '", "The moonfish school of '",
                                 "Timing file '", "Metronome marks '", "The value of '"}) {
    if (text.substr(0, known.size()) == known) return true;
  }
  return false;
}

// Plays the level for a while in each node state the level reacts to, pressing every shape.
void Play(Game4Node::Level& level) {
  for (int round = 0; round < 3; ++round) {
    Game4Node::Sequence* sequence = level.GetCurrentSequence();
    if (!sequence) return;
    const int32_t presses = sequence->GetExpectedPresses();
    Require(presses >= 1 && presses <= Game4Node::BubbleList::kRowLength);
    for (uint32_t k = 0; k < sequence->GetMarkCount(); ++k) {
      const int32_t shape = sequence->PeekMark(k)->GetShapeIndex();
      Require(shape >= 0 && shape < Game4Node::Level::kShapeCount);
    }
    for (int frame = 0; frame < 5; ++frame) level.Update(Game4Node::Level::kStateDemonstration);
    level.OnMark(nullptr);
    level.Update(Game4Node::Level::kStateDemonstration);
    level.Update(Game4Node::Level::kStateCopying);
    for (int32_t i = 0; i <= presses && level.GetCurrentSequence(); ++i) {
      level.OnShapePressed(i % 5);
      level.GetShapePoints(i % 5);
      level.OnShapeReleased(i % 5);
      level.Update(Game4Node::Level::kStateCopying);
    }
    level.StartSequence();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x40000) return 0;
  static Stage stage;
  if (!stage.ready) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string* parts[] = {&stage.database->globals, &stage.database->level, &stage.database->other};
  size_t from = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t cut = i < 2 ? input.find("\n@@\n", from) : std::string::npos;
    *parts[i] =
        input.substr(std::min(from, input.size()), cut == std::string::npos ? std::string::npos : cut - from);
    from = cut == std::string::npos ? input.size() : cut + 4;
  }

  Game4Node::Level level(*stage.node, *stage.node);
  try {
    level.LoadGlobals();
    level.LoadLevel(1);
  } catch (const char* text) {
    Require(IsRefusal(text));
    return 0;
  }
  Require(level.GetSchool() && level.GetSchool()->GetShapeCount() == 5);
  Require(level.GetSequenceCount() >= 1);
  Play(level);
  return 0;
}
