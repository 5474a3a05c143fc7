// The swim game's node on the generated content: activation, level choice and the objects it needs.
#include <gtest/gtest.h>

#include <string>

#include "Game6Stage.h"
#include "framework/Background.h"
#include "game6/Game6Hud.h"
#include "game6/Game6Pilo.h"

namespace {

using test::Game6Entry;

class Game6 : public test::Game6Stage {};

TEST_F(Game6, AFirstVisitSetsUpTheSeabedTheHudAndTheIntro) {
  StartGame();
  EXPECT_EQ(m_game->GetState(), Game6Node::FIRST_VISIT);
  EXPECT_EQ(Game6Entry().firstTime, 0);
  ASSERT_NE(m_game->GetGameHud(), nullptr);
  ASSERT_NE(m_game->GetFish(), nullptr);
  for (int32_t i = 0; i < Game6Node::kPanelCount; ++i) {
    ASSERT_NE(m_game->GetBackground(i), nullptr);
    EXPECT_EQ(m_game->GetBackground(i)->GetX(), 800.0f * static_cast<float>(i));
  }
  EXPECT_EQ(m_game->GetTotalScore(), 0);
  EXPECT_EQ(m_game->GetTicksLeft(), Game6Node::kSegmentCount);
}

// A new player (overall level below 0) starts at level 1 with the level word 2; a saved word of
// levels won below 0 counts as none won.
TEST_F(Game6, ANewPlayerStartsAtLevelOneAndANegativeWonWordCountsAsNone) {
  Game6Entry().gameValue2 = static_cast<uint32_t>(-7);
  StartGame();
  EXPECT_EQ(m_game->GetLevel(), 0);
  EXPECT_EQ(Game6Entry().level, 2);
}

TEST_F(Game6, TheScoreNeverPassesTheCap) {
  StartGame();
  m_game->m_totalScore = 99950;
  m_game->m_levelScore = 100;
  m_game->ShowScore();
  EXPECT_EQ(m_game->GetLevelScore() + m_game->GetTotalScore(), Game6Node::kScoreCap);
}

TEST_F(Game6, AMissingFishEndsTheStartWithItsName) {
  RemoveObject("G6_Pilo");
  EXPECT_NE(StartThrowing().find("G6_Pilo"), std::string::npos);
}

}  // namespace
