// Fuzz target: arbitrary bytes as each of the music game's text files (the level list, the sound sets,
// a song file, its setup, script and percussion files) read into a node of the game, and each line's
// value as a note list. Every accepted note has a letter of A to Z and a length of 0 to 32767; a head
// whose sprite is not there is the only text that may be thrown.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>
#include <string>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/Clickable.h"
#include "framework/GameSpriteLoader.h"
#include "game3/Game3Node.h"
#include "graphics/SpriteLoader.h"

namespace {

constexpr const char* kInput = "input";

void Require(bool condition) {
  if (!condition) std::abort();
}

fixture::SpriteFile Sprite() {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(16, 12, 0xFFFF0000)};
  fixture::SpriteFileAnimation still;
  still.m_frames = {fixture::SpriteFileFrame()};
  file.m_animations = {still, still, still, still, still};
  return file;
}

struct Stage {
  Stage() {
    ready = fuzzinput::OpenDummyDisplay();
    for (const char* name : {"ccBar", "spr"})
      database->m_sprites[Qel::NameHash(name)] = fixture::WriteSpriteFile(Sprite());
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
  }

  std::shared_ptr<fuzzinput::InputDatabase> database = std::make_shared<fuzzinput::InputDatabase>(kInput);
  bool ready = false;
};

void CheckNotes(const std::list<Game3Node::Note>& notes) {
  for (const Game3Node::Note& note : notes) {
    Require(note.letter <= 'Z' - 'A');
    Require(note.length >= 0 && note.length <= Game3Node::kLongestNote);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  static Stage stage;
  if (!stage.ready) return 0;
  stage.database->m_data = data;
  stage.database->m_size = size;

  {
    Game3Node node;
    for (const Game3Node::Mode mode :
         {Game3Node::kReadingLevelList, Game3Node::kReadingSets, Game3Node::kReadingSong,
          Game3Node::kReadingSetup, Game3Node::kReadingScript, Game3Node::kReadingPercussion}) {
      try {
        node.ReadInMode(mode, kInput);
      } catch (const char* text) {
        Require(std::strncmp(text, "Failed to load sprite '", 23) == 0);
      }
    }
    Require(node.GetSongIndex() == 0 || node.GetSongIndex() < node.GetSongList().size());
    for (int i = 0; i < Game3Node::kTrackCount; ++i) {
      const Game3Node::CharacterTrack& track = node.GetTrack(i);
      CheckNotes(track.notes);
      if (track.character) Require(node.FindObject(track.character->GetName()) == track.character);
    }
    node.UnloadSong();
    for (int i = 0; i < Game3Node::kTrackCount; ++i) Require(node.GetTrack(i).character == nullptr);
  }

  // Each line's text as a note list.
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    std::list<Game3Node::Note> notes;
    Game3Node::ParseNotes(notes, line.c_str());
    CheckNotes(notes);
    start = end + 1;
  }
  GetSpriteLoader().Update();
  return 0;
}
