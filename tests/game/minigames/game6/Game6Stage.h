// A stage for the swim through the hoops: the game started with the swim game as its first node, the
// "Game6" database of the content generator written into the content folder (each test may change
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

  // Until the banner has flown out and play runs.
  bool RunUntilPlaying() {
    return RunUntil([&] { return m_game->GetState() == Game6Node::PLAYING; });
  }
};

}  // namespace test
