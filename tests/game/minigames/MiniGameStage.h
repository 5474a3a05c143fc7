// A stage for one mini-game's node on its database of the content generator: the game started with
// that node as its first, the database written into the content folder when the game starts (each
// test may change it first), and the clock moved by the frames.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../frontend/ProgressStage.h"
#include "fixture-content/ContentSpec.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/SpriteFileWriter.h"
#include "fixture-content/TextContent.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SpriteObject.h"
#include "support/MovieFiles.h"

namespace test {

// Node is the game's node class; nodeId the id the hub requests it by; the captions file is read
// under its own name, not the database's.
template <class Node, int32_t nodeId>
class MiniGameStage : public ProgressStage {
protected:
  explicit MiniGameStage(std::string captionFile) : m_captionFile(std::move(captionFile)) {}

  void TearDown() override {
    m_game = nullptr;
    ProgressStage::TearDown();
  }

  void RemoveTextFile(const std::string& name) { EraseNamed(m_content.m_textFiles, name); }
  void RemoveSprite(const std::string& name) { EraseNamed(m_content.m_sprites, name); }
  void RemoveMovie(const std::string& name) { EraseNamed(m_content.m_movies, name); }
  void RemoveObject(const std::string& name) {
    for (auto& file : m_content.m_objectFiles) EraseNamed(file.m_objects, name);
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

  // Writes the content and starts the game with this node as its first.
  void StartGame() {
    WriteContent();
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n" + m_settings);
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    OnAppStarted();
    Frame();
    m_game = dynamic_cast<Node*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_game, nullptr);
  }

  // The hub's way in again: a fresh node on the content as it is now.
  void Revisit() {
    WriteContent();
    const int32_t next = NodeManager::Instance().GetCurrentId() == nodeId ? kNodeTitleScreen : nodeId;
    NodeManager::Instance().RequestNode(next);
    Frame();
    m_game = dynamic_cast<Node*>(NodeManager::Instance().GetCurrentNode());
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

  SpriteObject* Object(const char* name) { return dynamic_cast<SpriteObject*>(m_game->FindObject(name)); }

  // After the application's start, before its first frame: where a test listens to the engine's events.
  virtual void OnAppStarted() {}

  fixture::DatabaseSpec m_content;
  // More lines of the settings file's section.
  std::string m_settings;
  // Without them the captions stay but no line can be heard.
  bool m_voiceLines = true;
  // Movies of the run's own movie database, beside the game's.
  std::vector<std::string> m_runMovies;
  Node* m_game = nullptr;

private:
  template <typename Specs>
  static void EraseNamed(Specs& specs, const std::string& name) {
    specs.erase(std::remove_if(specs.begin(), specs.end(), [&](const auto& s) { return s.m_name == name; }),
                specs.end());
  }

  void WriteContent() {
    for (const fixture::SpriteSpec& sprite : m_content.m_sprites)
      m_stage.AddFile(sprite.m_name + ".qela", fixture::WriteSpriteFile(fixture::MakeSprite(sprite)));
    for (const fixture::ObjectFileSpec& file : m_content.m_objectFiles)
      m_stage.AddFile(file.m_name + ".txt", fixture::ObjectFileText(file));
    for (const fixture::TextFileSpec& file : m_content.m_textFiles)
      m_stage.AddFile(file.m_name + ".txt", fixture::CrLfText(file.m_lines));
    m_stage.AddFile(m_captionFile + ".txt", fixture::CaptionFileText(m_content.m_spokenLines));
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

  std::string m_captionFile;
};

}  // namespace test
