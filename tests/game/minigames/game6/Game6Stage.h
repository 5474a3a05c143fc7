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

#include "../MiniGameStage.h"
#include "../MovieLog.h"
#include "fixture-content/ContentDatabases.h"
#include "framework/ActivePlayerData.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "game6/Game6Node.h"
#include "platform/win/kernel/Random.h"
#include "support/LoggingNode.h"
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

class Game6Stage : public MiniGameStage<Game6Node, kNodeGame6> {
protected:
  static constexpr uint32_t kSeed = 6;

  Game6Stage() : MiniGameStage("DazodOrer") {
    // The closing movie lives in the movie database of the whole run.
    m_runMovies = {"Final"};
  }

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
    m_movies.reset();
    MiniGameStage::TearDown();
  }

  void OnAppStarted() override { m_movies = std::make_unique<MovieLog>(); }

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
  std::vector<std::string> Lines() const { return LinesSince(0); }

  std::unique_ptr<MovieLog> m_movies;
};

}  // namespace test
