// The shape game's node on a started game: what activation sets up from the player's record (a
// record's levels out of range taken to the nearest), and the refusal of an object file without a
// required object.
#include <gtest/gtest.h>

#include <string>

#include "LevelStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/MultiTimer.h"
#include "framework/NumericDisplay.h"
#include "game4/Game4Node.h"

namespace {

GameNode* MakeGame4(int32_t id) {
  return id == kNodeNone ? nullptr : new Game4Node;
}

class Game4NodeTest : public test::LevelStage {
protected:
  void SetUp() override {
    LevelStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(MakeGame4);
    for (const char* name : {"guide", "head", "button", "digit", "bannerArt"}) AddSprite(name, 20, 20, 4);
    m_objects =
        "[ambient blank_head head]\n[ambient zelka_body_moonfish guide]\n[ambient zelka_moonfish head]\n"
        "[ambient zelka_body_user guide]\n[ambient zelka_user head]\n[ambient zelka_body_shapes guide]\n"
        "[clickable LevelButton_0 button]\n[clickable LevelButton_1 button]\n[LevelBanner banner bannerArt]\n"
        "[ambient ScoreBoard_0 digit]\n[ambient ScoreBoard_1 digit]\n[ambient LevelDigits_0 digit]\n";
  }

  // The game with the node; false when it refused to start.
  std::string StartGame(const std::string& extraObjects) {
    std::string game4;
    for (int i = 0; i < 5; ++i)
      game4 += "[clickable shape" + std::to_string(i) + " shape" + std::to_string(i) + "]\n";
    game4 += "[ambient moonfish moonfish]\n";
    for (int i = 0; i < 20; ++i)
      game4 += "[ambient b" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " bubble]\n";
    // The stage's graphics level makes it a low-spec machine: the "_SDL" file is the one read.
    m_stage.AddFile("Game4_SDL.txt", game4 + extraObjects);
    test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    try {
      if (!m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10)) return "no start";
      Frame();
    } catch (const char* text) {
      return text;
    }
    m_node = dynamic_cast<Game4Node*>(NodeManager::Instance().GetCurrentNode());
    return m_node ? "" : "no node";
  }

  std::string m_objects;
  Game4Node* m_node = nullptr;
};

}  // namespace

TEST_F(Game4NodeTest, ActivationStartsTheGuideTheMetronomeAndTheLevelLastPlayed) {
  ActivePlayerData.games[10].level = 4;
  ActivePlayerData.games[10].gameValue = 3;
  Text("level03_", "settings = 1, 0\nsequences = seq_one\nmetronome = tick beat\n");
  ASSERT_EQ(StartGame(m_objects), "");
  EXPECT_EQ(m_node->GetState(), 0);
  EXPECT_EQ(m_node->GetGuidePose(), 8);
  EXPECT_EQ(m_node->GetLevelDisplay()->GetValue(), 3u);
  EXPECT_EQ(m_node->GetScoreDisplay()->GetValue(), 0u);
  EXPECT_EQ(m_node->GetScoreDisplay()->GetDigitCount(), 2u);
  EXPECT_EQ(m_node->GetLevel()->GetLevelIndex(), 2);
  EXPECT_TRUE(m_node->GetMetronome()->GetTimer().IsActive());
  for (int i = 0; i < 5; ++i)
    EXPECT_FALSE(
        dynamic_cast<Clickable*>(m_node->FindObject(("shape" + std::to_string(i)).c_str()))->IsEnabled());
  m_node = nullptr;
}

TEST_F(Game4NodeTest, SavedLevelsOutsideTheGameBecomeTheNearestLevel) {
  ActivePlayerData.games[10].level = 99;
  ActivePlayerData.games[10].gameValue = 0;
  ASSERT_EQ(StartGame(m_objects), "");
  EXPECT_EQ(ActivePlayerData.games[10].level, 20);
  EXPECT_EQ(m_node->GetLevelDisplay()->GetValue(), 1u);
  EXPECT_EQ(m_node->GetLevel()->GetLevelIndex(), 0);
  m_node = nullptr;
}

TEST_F(Game4NodeTest, AnObjectFileWithoutARequiredObjectIsRefusedByName) {
  for (int i = 0; i < 5; ++i) AddSprite("shape" + std::to_string(i), 40, 40, 4);
  std::string game4;
  for (int i = 0; i < 5; ++i) {
    if (i != 3) game4 += "[clickable shape" + std::to_string(i) + " shape" + std::to_string(i) + "]\n";
  }
  m_stage.AddFile("Game4_SDL.txt", game4 + m_objects);
  test::WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
  std::string text;
  try {
    if (m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10)) Frame();
  } catch (const char* thrown) {
    text = thrown;
  }
  EXPECT_NE(text.find("Object 'shape3' missing from 'Game4_SDL'"), std::string::npos) << text;
}
