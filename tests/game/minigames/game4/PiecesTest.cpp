// The shape game's pieces: the school's draws under its repeat limit and its figures, the shapes'
// looks and sounds, the bubbles' looks (and the bubble that lacks them) and the rows' filling.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PieceStage.h"
#include "framework/VariantSound.h"
#include "game4/BubbleList.h"
#include "game4/Moonfish.h"
#include "game4/ShapeList.h"
#include "platform/win/kernel/Random.h"

namespace {

using Names = std::vector<std::string>;

class Pieces : public test::PieceStage {
protected:
  void SetUp() override {
    PieceStage::SetUp();
    StartRoom();
  }

  std::unique_ptr<Game4Node::ShapeList> Shapes(int count) {
    auto shapes = std::make_unique<Game4Node::ShapeList>();
    for (int i = 0; i < count; ++i) {
      const std::string name = "shape" + std::to_string(i);
      shapes->Add(new Game4Node::Shape(Sprite(name, 4), Sound(name + "_fish", "fish"),
                                       Sound(name + "_good", "good"), Sound(name + "_bad", "bad")));
    }
    return shapes;
  }
};

}  // namespace

TEST_F(Pieces, TheSchoolRepeatsAShapeNoMoreOftenThanItsLimitAllows) {
  for (int limit : {0, 1, 2}) {
    for (unsigned seed : {1u, 99u}) {
      SCOPED_TRACE(testing::Message() << "limit " << limit << " seed " << seed);
      Game4Node::Moonfish school(nullptr, Shapes(5), limit);
      plat::win::srand(seed);
      int run = 0;
      int longest = 0;
      int previous = -1;
      std::vector<int> seen(5, 0);
      for (int draw = 0; draw < 3000; ++draw) {
        const int pick = school.NextRandomShape();
        ASSERT_GE(pick, 0);
        ASSERT_LT(pick, 5);
        ++seen[pick];
        run = pick == previous ? run + 1 : 1;
        longest = std::max(longest, run);
        previous = pick;
      }
      EXPECT_EQ(longest, limit + 1) << "runs up to the limit happen, longer ones never";
      for (int count : seen) EXPECT_GT(count, 0);
    }
  }
}

TEST_F(Pieces, ASchoolOfOneShapeOrNoneNeverHangs) {
  Game4Node::Moonfish one(nullptr, Shapes(1), 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(one.NextRandomShape(), 0);
  Game4Node::Moonfish none(nullptr, nullptr, 0);
  EXPECT_EQ(none.NextRandomShape(), -1);
  EXPECT_EQ(none.GetShape(0), nullptr);
}

TEST_F(Pieces, TheSchoolFormsAndLeavesShapesWithTheirSoundsAndLooks) {
  SpriteObject* sprite = Sprite("moonfish", 23);
  Game4Node::Moonfish school(sprite, Shapes(5), 1);
  Game4Node::Shape* shape2 = school.GetShape(2);
  ASSERT_NE(shape2, nullptr);
  EXPECT_EQ(school.GetShape(5), nullptr);
  EXPECT_EQ(school.GetShape(-1), nullptr);

  school.FormShape(2, shape2);
  EXPECT_EQ(sprite->GetAnimationId(), 11u);
  EXPECT_EQ(Started(), Names{"shape2_fish"});
  shape2->PressedLook();
  EXPECT_EQ(shape2->GetSprite()->GetAnimationId(), 3u);
  school.ReleaseShape(2, shape2);
  EXPECT_EQ(sprite->GetAnimationId(), 13u);
  EXPECT_EQ(shape2->GetSprite()->GetAnimationId(), 0u);
  school.FormShape(Game4Node::Moonfish::kSuccessFigure, nullptr);
  EXPECT_EQ(sprite->GetAnimationId(), 20u);
  shape2->PlayGood();
  shape2->PlayBad();
  EXPECT_EQ(Started(), (Names{"shape2_fish", "shape2_fish", "shape2_good", "shape2_bad"}));
}

TEST_F(Pieces, BubblesChangeLookOnlyFromTheLooksTheyMayLeave) {
  VariantSound pop(Sound("pop", "pop"), 0.0f);
  VariantSound blow(Sound("blow", "blow"), 0.0f);
  Game4Node::Bubble bubble(Sprite("bubble", 4), &pop, &blow, nullptr);
  ASSERT_TRUE(bubble.IsUsable());
  EXPECT_TRUE(bubble.IsIdle());
  bubble.Blow();
  EXPECT_TRUE(bubble.IsBlown());
  bubble.Pop();
  EXPECT_TRUE(bubble.IsPopped());
  bubble.Blow();  // a popped bubble stays popped
  bubble.Pop();
  EXPECT_TRUE(bubble.IsPopped());
  bubble.Show();  // no third sound: the look alone
  EXPECT_TRUE(bubble.IsBlown());
  bubble.Reset();
  EXPECT_TRUE(bubble.IsIdle());
  EXPECT_EQ(Started(), (Names{"blow", "pop"}));
}

TEST_F(Pieces, ABubbleWithoutItsLooksOrItsObjectNeverChangesNorSounds) {
  VariantSound pop(Sound("pop", "pop"), 0.0f);
  VariantSound blow(Sound("blow", "blow"), 0.0f);
  SpriteObject* sprite = Sprite("flat", 3);
  sprite->SetAnimation(2, 0);
  Game4Node::Bubble flat(sprite, &pop, &blow, &blow);
  Game4Node::Bubble missing(nullptr, &pop, &blow, &blow);
  for (Game4Node::Bubble* bubble : {&flat, &missing}) {
    EXPECT_FALSE(bubble->IsUsable());
    bubble->Pop();
    bubble->Blow();
    bubble->Show();
    bubble->Reset();
    EXPECT_FALSE(bubble->IsBlown());
    EXPECT_FALSE(bubble->IsPopped());
    EXPECT_FALSE(bubble->IsIdle());
  }
  EXPECT_EQ(sprite->GetAnimationId(), 2u);
  EXPECT_TRUE(Started().empty());
}

TEST_F(Pieces, TheDemonstrationRowFillsEveryStepCountthCallOrAtOnce) {
  struct Case {
    int32_t steps;
    int32_t target;
    int callsUntilReady;
  };
  for (const Case& c : {Case{0, 4, 1}, Case{3, 2, 6}, Case{1, 3, 3}, Case{3, 0, 1}}) {
    SCOPED_TRACE(testing::Message() << "steps " << c.steps << " target " << c.target);
    Game4Node::BubbleList bubbles(c.steps);
    for (int i = 0; i < 20; ++i)
      bubbles.Add(
          std::make_unique<Game4Node::Bubble>(Sprite("b" + std::to_string(i), 4), nullptr, nullptr, nullptr));
    bubbles.Reset(c.target);
    int calls = 1;
    while (!bubbles.ReadyStep()) {
      ASSERT_LT(calls, 100);
      ++calls;
      // Filled one at a time, in order.
      int shown = 0;
      while (shown < 10 && bubbles.At(shown)->IsBlown()) ++shown;
      EXPECT_EQ(shown, c.steps ? (calls - 1) / c.steps : 0);
    }
    EXPECT_EQ(calls, c.callsUntilReady);
    EXPECT_EQ(bubbles.GetMode(), Game4Node::BubbleList::kReady);
    EXPECT_EQ(bubbles.GetCursor(), 0);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(bubbles.At(i)->IsBlown(), i < c.target) << i;
    EXPECT_TRUE(bubbles.ReadyStep());

    // The copy row below: a scored press blows, a press worth nothing pops.
    bubbles.MarkPress(true);
    bubbles.MarkPress(false);
    EXPECT_TRUE(bubbles.At(10)->IsBlown());
    EXPECT_TRUE(bubbles.At(11)->IsPopped());
    bubbles.Reset(c.target);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(bubbles.At(i)->IsIdle()) << i;
    EXPECT_EQ(bubbles.GetMode(), Game4Node::BubbleList::kFilling);
  }
}

TEST_F(Pieces, TheRowsHoldTwentyBubblesAtMost) {
  Game4Node::BubbleList bubbles(1);
  for (int i = 0; i < 25; ++i)
    bubbles.Add(std::make_unique<Game4Node::Bubble>(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(bubbles.Count(), 20u);
  bubbles.Reset(12);  // more than a row: the missing ones are passed over
  int calls = 0;
  while (!bubbles.ReadyStep()) ASSERT_LT(++calls, 50);
}
