// A stage for the submarine ball game's node: the game started with the node as its first node, on
// the content generator's Global and GAME5 databases (written into the test's folder, spoken lines as
// tones, without movies: a test adds the movies it plays), the dialogs' stage for frames, sounds and
// the mouse, and a log of the movies asked for.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../../framework/DialogStage.h"
#include "../MovieLog.h"
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentModule.h"
#include "fixture-content/OutputTree.h"
#include "framework/ActivePlayerData.h"
#include "framework/GameClock.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "game5/Game5Node.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Random.h"
#include "support/LoggingNode.h"
#include "support/MovieFiles.h"
#include "support/NodeContent.h"

namespace test {

class TestGame5 : private NodeSprites, public Game5Node {};

inline bool IsShownObject(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsShown();
}

// What a test leaves out of the content the node loads.
struct Leave {
  std::set<std::string> sprites;
  std::set<std::string> objects;
  std::set<std::string> sounds;
  bool objectFile = true;
  // The "banner" of the file as a plain ambient.
  bool plainBanner = false;
};

class Game5Stage : public DialogStage {
protected:
  void SetUp() override {
    DialogStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(Create);
    ActivePlayerData = PlayerData();
    plat::win::srand(1);
  }

  void TearDown() override {
    m_movies.reset();
    m_game = nullptr;
    DialogStage::TearDown();
  }

  static GameNode* Create(int32_t id) {
    if (id == kNodeTitleScreen || id == kNodeGame5) return new TestGame5;
    return LoggingNode::Create(id);
  }

  void WriteContent(const Leave& leave = Leave()) {
    fixture::DatabaseSpec game5 = fixture::Game5Database();
    game5.m_movies.clear();
    std::erase_if(game5.m_sprites, [&](const fixture::SpriteSpec& s) { return leave.sprites.count(s.m_name) > 0; });
    for (fixture::ObjectFileSpec& file : game5.m_objectFiles) {
      std::erase_if(file.m_objects, [&](const fixture::ObjectSpec& o) { return leave.objects.count(o.m_name) > 0; });
      for (fixture::ObjectSpec& object : file.m_objects) {
        if (leave.plainBanner && object.m_name == "banner") {
          object.m_class = "ambient";
          object.m_properties.clear();
        }
      }
    }
    std::erase_if(game5.m_sounds, [&](const fixture::SoundSpec& o) { return leave.sounds.count(o.m_name) > 0; });
    if (!leave.objectFile) game5.m_objectFiles.clear();
    fixture::DatabaseSpec global = fixture::GlobalDatabase();
    fixture::ContentOptions options;
    options.m_out = "resources";
    options.m_voice = fixture::VoiceKind::kTone;
    fixture::OutputTree tree;
    fixture::Manifest manifest;
    fixture::GenerateContent({global, game5}, options, tree, manifest);
    fixture::WriteTree(tree, "resources", fixture::ContentForm::kDirectory);
  }

  // A short movie of that name, which the player shows and which ends by itself.
  void AddMovie(const std::string& name) {
    WriteMovieFile("movie.tmp", SolidMovie(2, 32, 24, 10));
    m_stage.AddFile(name + ".bik", ReadFile("movie.tmp"));
  }

  // The game with the node as its first node; the movie log listens from the start.
  void StartGame(const std::string& settings = "", const Leave& leave = Leave()) {
    WriteContent(leave);
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n" + settings);
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    m_movies = std::make_unique<MovieLog>();
    Frame();
    m_game = dynamic_cast<TestGame5*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_game, nullptr);
  }

  // Past the introduction to the level's start, then to the ball in the pipe once the banner is gone.
  void SkipIntroduction() {
    m_game->StartGame();
    m_game->StopSpeech();
    ASSERT_EQ(m_game->GetState(), Game5Node::kLevelStart);
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kBallLoaded; }, 400));
  }

  template <typename Condition>
  bool FramesUntil(Condition condition, int limit = 300) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame();
    }
    return condition();
  }

  // The ball in flight at a point and heading, with the fish's cool-down running so that it stays out
  // of the way unless a test wants it.
  void Fly(int32_t x, int32_t y, int32_t heading) {
    m_game->ResetBall(Game5Node::kInFlight);
    Game5Node::GM5Ball& ball = m_game->GetBall();
    ball.m_path.SetPosition(static_cast<float>(x), static_cast<float>(y));
    ball.m_path.SetAngle(heading);
    ball.m_path.SetSpeed(0.0f);
    ball.m_path.ResetStepClock();
    ball.SyncSprite();
    ball.m_sprite->GetSceneObject()->Show();
    m_game->GetPlayer().m_ballHeld = false;
    m_game->GetPlayer().m_bounceCooldown = 1;
  }

  GameProgress& Entry() { return ActivePlayerData.games[kNodeGame5]; }

  // One game step: more than 7 ms of game time.
  void Step() { Frame(10); }

  std::unique_ptr<MovieLog> m_movies;
  TestGame5* m_game = nullptr;
};

}  // namespace test
