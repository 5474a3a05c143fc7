// A stage for the swim through the hoops: the game started with the swim game as its first node, the
// "Game6" database of the content generator written into the content folder (each test may change
// it first), a seeded generator and the clock moved by the frames.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../frontend/ProgressStage.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentSpec.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/SpriteFileWriter.h"
#include "fixture-content/TextContent.h"
#include "framework/ActivePlayerData.h"
#include "framework/GameEvents.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "game6/Game6Node.h"
#include "platform/win/kernel/Random.h"
#include "support/LoggingNode.h"
#include "support/MovieFiles.h"
#include "support/NodeContent.h"

namespace test {

// The swim game with the sprites every node loads in place first.
class TestGame6 : private NodeSprites, public Game6Node {};

// The swim game for start-up's first node and for its own id; a logging node for any other (the hub).
inline GameNode* CreateGame6Stage(int32_t id) {
  if (id == kNodeTitleScreen || id == kNodeGame6) return new TestGame6;
  return LoggingNode::Create(id);
}

inline GameProgress& Game6Entry() {
  return ActivePlayerData.games[kNodeGame6];
}

// The other games at their level, so that the overall level is overall.
inline void SetOverallLevel(int32_t overall) {
  for (const uint32_t id : PlayerData::kOverallLevelGames) ActivePlayerData.games[id].level = overall + 2;
}

// The movies asked for, in order (the pause each posts, a missing one too).
class Game6Movies : public Qel::IEventListener {
public:
  Game6Movies() { Qel::EventManager::GetInstance()->AddListener(kEventAppState, this); }
  ~Game6Movies() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  Game6Movies(const Game6Movies&) = delete;
  Game6Movies& operator=(const Game6Movies&) = delete;
  void HandleEvent(int /*kind*/, int id, void* data) override {
    if (id == EventId::Pause) names.emplace_back(static_cast<const char*>(data));
  }
  std::vector<std::string> names;
};

class Game6Stage : public ProgressStage {
protected:
  static constexpr uint32_t kSeed = 6;

  void SetUp() override {
    ProgressStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateGame6Stage);
    plat::win::srand(kSeed);
    AddSprite("loading_gen1", 800, 600);
    AddSprite("ActBackArrow_sdl", 86, 63);
    AddSprite("blank", 8, 8);
    m_content = fixture::Game6Database();
  }

  void TearDown() override {
    m_game = nullptr;
    m_movies.reset();
    ProgressStage::TearDown();
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

  // Writes the content and starts the game with the swim game as its node.
  void StartGame() {
    WriteContent();
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n" + m_settings);
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    m_movies = std::make_unique<Game6Movies>();
    Frame();
    m_game = dynamic_cast<Game6Node*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_game, nullptr);
  }

  // The hub's way in again: a fresh node of the swim game on the content as it is now.
  void Revisit() {
    WriteContent();
    const int32_t next = NodeManager::Instance().GetCurrentId() == kNodeGame6 ? kNodeTitleScreen : kNodeGame6;
    NodeManager::Instance().RequestNode(next);
    Frame();
    m_game = dynamic_cast<Game6Node*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_game, nullptr);
  }

  // The text thrown while the game starts; empty when nothing was.
  std::string StartThrowing() {
    WriteContent();
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n" + m_settings);
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
  // Until the banner has flown out and play runs.
  bool RunUntilPlaying() {
    return RunUntil([&] { return m_game->GetState() == Game6Node::PLAYING; });
  }
  // Started, space cuts the intro or greeting, and on to play.
  void StartPlaying() {
    StartGame();
    ASSERT_TRUE(RunUntil([&] { return m_game->IsSpeakerTalking(1); }));
    m_game->OnChar(' ');
    ASSERT_TRUE(RunUntilPlaying());
  }
  // The node the manager runs now.
  static int32_t CurrentNode() { return NodeManager::Instance().GetCurrentId(); }
  // The names of the lines spoken, in order.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const std::string& started : Started()) {
      if (started.rfind("speechSound", 0) == 0) lines.push_back(started.substr(11));
    }
    return lines;
  }

  SpriteObject* Object(const char* name) { return dynamic_cast<SpriteObject*>(m_game->FindObject(name)); }

  fixture::DatabaseSpec m_content;
  // Without them the captions stay but no line can be heard.
  bool m_voiceLines = true;
  // More lines of the settings file's section.
  std::string m_settings;
  std::unique_ptr<Game6Movies> m_movies;
  // The closing movie lives in the movie database of the whole run.
  std::vector<std::string> m_runMovies = {"Final"};
  Game6Node* m_game = nullptr;

private:
  void WriteContent() {
    for (const fixture::SpriteSpec& sprite : m_content.m_sprites)
      m_stage.AddFile(sprite.m_name + ".qela", fixture::WriteSpriteFile(fixture::MakeSprite(sprite)));
    for (const fixture::ObjectFileSpec& file : m_content.m_objectFiles)
      m_stage.AddFile(file.m_name + ".txt", fixture::ObjectFileText(file));
    for (const fixture::TextFileSpec& file : m_content.m_textFiles)
      m_stage.AddFile(file.m_name + ".txt", fixture::CrLfText(file.m_lines));
    m_stage.AddFile("DazodOrer.txt", fixture::CaptionFileText(m_content.m_spokenLines));
    for (const fixture::SoundSpec& sound : m_content.m_sounds)
      m_stage.AddWave(sound.m_name, Tone(static_cast<uint32_t>(sound.m_music ? 4000 : sound.m_milliseconds)));
    if (m_voiceLines) {
      for (const fixture::SpokenLineSpec& line : m_content.m_spokenLines) m_stage.AddWave(line.m_name, Tone(300));
    }
    WriteMovieFile("movie.tmp", SolidMovie(3, 64, 48, 10));
    const std::string movie = ReadFile("movie.tmp");
    for (const fixture::MovieSpec& spec : m_content.m_movies) m_stage.AddFile(spec.m_name + ".bik", movie);
    for (const std::string& name : m_runMovies) m_stage.AddFile(name + ".bik", movie);
  }
};

}  // namespace test
