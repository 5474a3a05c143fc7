// The swim game's item pieces: a spout sprays once its time has passed and again a period later; the
// kelp's front part is named after it and shows what the back shows; items do not move.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Game6PieceStage.h"
#include "game6/Game6Items.h"

namespace {

class ItemPieces : public test::Game6PieceStage {
protected:
  void SetUp() override {
    Game6PieceStage::SetUp();
    m_objects.AddSprite("piece", test::CountedSprite(5));
  }
};

TEST_F(ItemPieces, ASpoutSpraysOnlyOnceItsTimeHasPassedAndAgainAPeriodLater) {
  Game6Node::Game6WaterSpout spout("SSItem 3", "piece", 0);
  spout.SetAnimation(0, 0);
  spout.SetSprayPeriod(5000);
  spout.SetNextSprayTime(Now() + 300);
  Tick(300);
  spout.Update();
  EXPECT_FALSE(spout.IsSpraying());
  Tick(1);
  spout.Update();
  EXPECT_TRUE(spout.IsSpraying());
  EXPECT_EQ(spout.GetNextSprayTime(), Now() + 5000);
  spout.SetAnimation(0, 0);
  Tick(4999);
  spout.Update();
  EXPECT_FALSE(spout.IsSpraying());
  Tick(2);
  spout.Update();
  EXPECT_TRUE(spout.IsSpraying());
}

TEST_F(ItemPieces, KelpShowsBackAndFrontTogetherAndItemsStandStill) {
  Game6Node::Game6Kelp kelp("SSItem 7", "piece", "piece", 0);
  EXPECT_EQ(std::string(kelp.GetFront()->GetName()), "SSItem 7 - Front");
  kelp.ShowAnimation(1);
  EXPECT_EQ(kelp.GetAnimationId(), 1u);
  EXPECT_EQ(kelp.GetFront()->GetAnimationId(), 1u);
  kelp.SetVelocity(100, 0);
  kelp.SetPosition(10, 20);
  Tick(500);
  kelp.Update();
  EXPECT_EQ(kelp.GetX(), 10.0f);
}

}  // namespace
