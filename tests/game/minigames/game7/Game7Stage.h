// A stage for the ride on the ocean current: the game started with the ride as its first node, the
// "Game7" database of the content generator written into the content folder (each test may change
// it first), a seeded generator and the clock moved by the frames.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../../frontend/ProgressStage.h"
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentSpec.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/SpriteFileWriter.h"
#include "fixture-content/TextContent.h"
#include "framework/ActivePlayerData.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SpriteObject.h"
#include "game7/Game7LevelData.h"
#include "game7/Game7MainTurtle.h"
#include "game7/Game7Node.h"
#include "platform/win/kernel/Random.h"
#include "support/LoggingNode.h"
#include "support/MovieFiles.h"
#include "support/NodeContent.h"
#include "support/SdlMouse.h"

namespace test {

// The ride with the sprites every node loads in place first.
class TestGame7 : private NodeSprites, public Game7Node {};

// The ride for start-up's first node and for its own id; a logging node for any other (the hub).
inline GameNode* CreateGame7Stage(int32_t id) {
  if (id == kNodeTitleScreen || id == kNodeGame7) return new TestGame7;
  return LoggingNode::Create(id);
}

inline GameProgress& Game7Entry() {
  return ActivePlayerData.games[kNodeGame7];
}

class Game7Stage : public ProgressStage {
protected:
  static constexpr uint32_t kSeed = 7;

  void SetUp() override {
    ProgressStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateGame7Stage);
    plat::win::srand(kSeed);
    AddSprite("loading_gen1", 800, 600);
    m_content = fixture::Game7Database();
  }

  void TearDown() override {
    m_game = nullptr;
    ProgressStage::TearDown();
  }

  // The level data's line of that key, replaced (or added when there was none); an empty line
  // removes it.
  void SetLevelLine(const std::string& key, const std::string& line) {
    for (fixture::TextFileSpec& file : m_content.m_textFiles) {
      if (file.m_name != Game7Node::kLevelDataName) continue;
      auto& lines = file.m_lines;
      lines.erase(std::remove_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.rfind(key + " ", 0) == 0; }),
                  lines.end());
      if (!line.empty()) lines.push_back(line);
    }
  }
  // "key = v, v, ..." for all twenty levels.
  static std::string AllLevels(const std::string& key, const std::string& value) {
    std::string line = key + " = " + value;
    for (int i = 1; i < Game7Node::kLevelCount; ++i) line += ", " + value;
    return line;
  }
  void RemoveTextFile(const std::string& name) {
    auto& files = m_content.m_textFiles;
    files.erase(std::remove_if(files.begin(), files.end(), [&](const auto& f) { return f.m_name == name; }),
                files.end());
  }
  void RemoveObject(const std::string& name) {
    for (auto& file : m_content.m_objectFiles) {
      auto& objects = file.m_objects;
      objects.erase(
          std::remove_if(objects.begin(), objects.end(), [&](const auto& o) { return o.m_name == name; }),
          objects.end());
    }
  }
  void ReplaceObjectClass(const std::string& name, const std::string& className) {
    for (auto& file : m_content.m_objectFiles) {
      for (auto& object : file.m_objects) {
        if (object.m_name != name) continue;
        object.m_class = className;
        object.m_properties.clear();
      }
    }
  }
  void RemoveSprite(const std::string& name) {
    auto& sprites = m_content.m_sprites;
    sprites.erase(
        std::remove_if(sprites.begin(), sprites.end(), [&](const auto& s) { return s.m_name == name; }),
        sprites.end());
  }
  void RemoveMovie(const std::string& name) {
    auto& movies = m_content.m_movies;
    movies.erase(
        std::remove_if(movies.begin(), movies.end(), [&](const auto& m) { return m.m_name == name; }),
        movies.end());
  }

  // Writes the content and starts the game with the ride as its node.
  void StartGame() {
    WriteContent();
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    m_game = dynamic_cast<Game7Node*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_game, nullptr);
  }

  // The hub's way in again: a fresh node of the ride on the content as it is now.
  void Revisit() {
    WriteContent();
    const int32_t next = NodeManager::Instance().GetCurrentId() == kNodeGame7 ? kNodeTitleScreen : kNodeGame7;
    NodeManager::Instance().RequestNode(next);
    Frame();
    m_game = dynamic_cast<Game7Node*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_game, nullptr);
  }

  // The text thrown while the game starts; empty when nothing was.
  std::string StartThrowing() {
    WriteContent();
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    try {
      if (!m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10)) return "init failed";
      Frame();
    } catch (const char* text) {
      return text;
    }
    return "";
  }

  // Frames of ms each until the condition holds; false when it did not within the limit.
  bool RunUntil(const std::function<bool()>& condition, int limit = 400, uint32_t ms = 20) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame(ms);
    }
    return condition();
  }
  // Until the banner has flown out and play runs, the pointer resting on the turtle's start place so
  // that it idles there.
  bool RunUntilPlaying() {
    test::MoveMouse(static_cast<int>(Turtle().m_startX), static_cast<int>(Turtle().m_startY));
    return RunUntil([&] { return m_game->GetState() == Game7Node::IDLE; });
  }

  Game7Node::MainTurtle& Turtle() { return *m_game->GetTurtle(); }
  SpriteObject* Object(const char* name) { return dynamic_cast<SpriteObject*>(m_game->FindObject(name)); }

  fixture::DatabaseSpec m_content;
  // The closing movie lives in the movie database of the whole run.
  std::vector<std::string> m_runMovies = {Game7Node::kFinalMovie};
  Game7Node* m_game = nullptr;

private:
  void WriteContent() {
    for (const fixture::SpriteSpec& sprite : m_content.m_sprites)
      m_stage.AddFile(sprite.m_name + ".qela", fixture::WriteSpriteFile(fixture::MakeSprite(sprite)));
    for (const fixture::ObjectFileSpec& file : m_content.m_objectFiles)
      m_stage.AddFile(file.m_name + ".txt", fixture::ObjectFileText(file));
    for (const fixture::TextFileSpec& file : m_content.m_textFiles)
      m_stage.AddFile(file.m_name + ".txt", fixture::CrLfText(file.m_lines));
    m_stage.AddFile("Turtles.txt", fixture::CaptionFileText(m_content.m_spokenLines));
    for (const fixture::SoundSpec& sound : m_content.m_sounds)
      m_stage.AddWave(sound.m_name, Tone(static_cast<uint32_t>(sound.m_music ? 4000 : sound.m_milliseconds)));
    for (const fixture::SpokenLineSpec& line : m_content.m_spokenLines)
      m_stage.AddWave(line.m_name, Tone(300));
    WriteMovieFile("movie.tmp", SolidMovie(3, 64, 48, 10));
    const std::string movie = ReadFile("movie.tmp");
    for (const fixture::MovieSpec& spec : m_content.m_movies) m_stage.AddFile(spec.m_name + ".bik", movie);
    for (const std::string& name : m_runMovies) m_stage.AddFile(name + ".bik", movie);
  }
};

}  // namespace test
