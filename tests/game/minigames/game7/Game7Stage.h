// A stage for the ride on the ocean current: the game started with the ride as its first node, the
// "Game7" database of the content generator written into the content folder (each test may change
// it first), a seeded generator and the clock moved by the frames.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "../MiniGameStage.h"
#include "fixture-content/ContentDatabases.h"
#include "framework/ActivePlayerData.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "game7/Game7LevelData.h"
#include "game7/Game7MainTurtle.h"
#include "game7/Game7Node.h"
#include "platform/win/kernel/Random.h"
#include "support/LoggingNode.h"
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

class Game7Stage : public MiniGameStage<Game7Node, kNodeGame7> {
protected:
  static constexpr uint32_t kSeed = 7;

  Game7Stage() : MiniGameStage("Turtles") {
    // The closing movie lives in the movie database of the whole run.
    m_runMovies = {Game7Node::kFinalMovie};
  }

  void SetUp() override {
    ProgressStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateGame7Stage);
    plat::win::srand(kSeed);
    AddSprite("loading_gen1", 800, 600);
    m_content = fixture::Game7Database();
  }

  // Most tests start where play does: the intro is cut off as its own end would cut it off. The
  // intro's tests keep it.
  bool m_skipIntro = true;
  void StartGame() {
    MiniGameStage::StartGame();
    SkipIntro();
  }
  void Revisit() {
    MiniGameStage::Revisit();
    SkipIntro();
  }
  void SkipIntro() {
    if (!m_skipIntro || !m_game || m_game->GetState() != Game7Node::INTRO) return;
    m_game->StopSpeech();
    m_game->EndIntro();
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
  // Until the banner has flown out and play runs, the pointer resting on the turtle's start place so
  // that it idles there.
  bool RunUntilPlaying() {
    test::MoveMouse(static_cast<int>(Turtle().m_startX), static_cast<int>(Turtle().m_startY));
    return RunUntil([&] { return m_game->GetState() == Game7Node::IDLE; });
  }

  Game7Node::MainTurtle& Turtle() { return *m_game->GetTurtle(); }
};

}  // namespace test
