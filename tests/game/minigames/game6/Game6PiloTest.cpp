// The swim game's fish on its own: the steering index with its dead bands, the turns between the two
// animation sets, the movement looks (plain and recovering), the blink's end and the turn back after
// steering left.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "Game6PieceStage.h"
#include "framework/ExtraObjectFactory.h"
#include "game6/Game6Pilo.h"

namespace {

using Fish = Game6Node::Game6Pilo;

class FishPiece : public test::Game6PieceStage {
protected:
  void SetUp() override {
    Game6PieceStage::SetUp();
    m_objects.AddSprite("fish", test::CountedSprite(30));
    m_fish = std::make_unique<Fish>("G6_Pilo", "fish");
    m_fish->SetPosition(300, 200);
  }

  // The animation shown, and the one the sprite plays after it ends.
  uint32_t Shown() const { return m_fish->GetAnimationId(); }
  // Lets the current animation (two frames of 100 ms) run out.
  void RunOut() {
    for (int i = 0; i < 4; ++i) Tick(100);
  }

  std::unique_ptr<Fish> m_fish;
};

TEST_F(FishPiece, TheObjectFilesBuildTheFishByItsClassNameOnceTheClassIsRegistered) {
  EXPECT_EQ(ExtraObjectFactory("Game6Pilo", "G6_Pilo_2", "fish"), nullptr);
  Fish::RegisterClass();
  GenericObject* made = ExtraObjectFactory("game6pilo", "G6_Pilo_2", "fish");
  EXPECT_NE(dynamic_cast<Fish*>(made), nullptr);
  delete made;
}

// The fish's point is (300 - 5, 200 + 52) = (295, 252) on screen at scroll 0; the mouse's x is taken
// 40 to the left. Right from x 416 (295 + 80 + 40 + 1), left below 235 (295 - 100 + 40).
TEST_F(FishPiece, TheMouseAroundTheFishGivesTheDirectionWithDeadBandsThatAHeldSenseDrops) {
  const struct {
    int32_t fromHorizontal;
    int32_t fromVertical;
    int32_t mouseX;
    int32_t mouseY;
    int32_t index;
  } cases[] = {
      {0, 0, 335, 252, 8}, {0, 0, 335, 262, 8}, {0, 0, 335, 263, 4},  {0, 0, 335, 242, 8},
      {0, 0, 335, 241, 0}, {0, 0, 415, 252, 8}, {0, 0, 416, 252, 6},  {0, 0, 235, 252, 8},
      {0, 0, 234, 252, 2}, {0, 0, 100, 100, 1}, {0, 0, 100, 400, 3},  {0, 0, 700, 400, 5},
      {0, 0, 700, 100, 7}, {0, 1, 335, 253, 4}, {0, 1, 335, 252, 8},  {0, -1, 335, 251, 0},
      {1, 0, 336, 252, 6}, {1, 0, 335, 252, 8}, {-1, 0, 334, 252, 2}, {-1, 0, 335, 252, 8},
      {1, 1, 700, 559, 5}, {1, 1, 700, 560, 8}, {-1, -1, 0, 599, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.fromHorizontal) + "," + std::to_string(c.fromVertical) + " mouse " +
                 std::to_string(c.mouseX) + "," + std::to_string(c.mouseY));
    m_fish->m_horizontalSense = c.fromHorizontal;
    m_fish->m_verticalSense = c.fromVertical;
    EXPECT_EQ(m_fish->SteeringIndex(Qel::Point2(c.mouseX, c.mouseY), 0), c.index);
    static constexpr int32_t kHorizontal[9] = {0, -1, -1, -1, 0, 1, 1, 1, 0};
    static constexpr int32_t kVertical[9] = {-1, -1, 0, 1, 1, 1, 0, -1, 0};
    EXPECT_EQ(m_fish->m_horizontalSense, kHorizontal[c.index]);
    EXPECT_EQ(m_fish->m_verticalSense, kVertical[c.index]);
  }
}

TEST_F(FishPiece, TheFishIsComparedWithTheMouseOnTheScreenNotInTheWorld) {
  m_fish->SetPosition(9300, 200);
  EXPECT_EQ(m_fish->SteeringIndex(Qel::Point2(335, 252), 9000), 8);
  EXPECT_EQ(m_fish->SteeringIndex(Qel::Point2(416, 252), 9000), 6);
}

// An object file may put the fish anywhere a float reaches: its point then stands 2^30 pixels off
// on that side, and the mouse is simply far from it.
TEST_F(FishPiece, AFishFarBeyondTheScreenStandsFarOffAndSteersTowardTheMouse) {
  constexpr int32_t kFar = 1 << 30;
  const struct {
    float x;
    float y;
    int32_t pointX;
    int32_t pointY;
    int32_t index;
  } cases[] = {
      {3.4e38f, 3.4e38f, kFar, kFar, 1}, {-3.4e38f, -3.4e38f, -kFar, -kFar, 5}, {1e10f, 200, kFar, 252, 2},
      {-1e10f, 200, -kFar, 252, 6},      {300, -2147483648.0f, 295, -kFar, 4},  {300.9f, 199.9f, 295, 251, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    m_fish->m_horizontalSense = m_fish->m_verticalSense = 0;
    m_fish->SetPosition(c.x, c.y);
    EXPECT_EQ(m_fish->SteeringX(0), c.pointX);
    EXPECT_EQ(m_fish->SteeringY(), c.pointY);
    EXPECT_EQ(m_fish->SteeringIndex(Qel::Point2(335, 252), 0), c.index);
  }
  m_fish->SetPosition(1e10f, 200);
  EXPECT_EQ(m_fish->SteeringX(-2147483647 - 1), kFar);
  EXPECT_EQ(m_fish->SteeringX(2147483647), kFar);
}

TEST_F(FishPiece, AnAnimationOfTheOtherSetPlaysTheTurnFirstAndFollowsIt) {
  const struct {
    uint32_t from;
    uint32_t to;
    uint32_t first;
  } cases[] = {{0, 20, 14}, {4, 15, 14}, {19, 0, 29}, {15, 11, 29}, {0, 5, 5}, {15, 26, 26}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
    m_fish->SetAnimation(c.from, 0);
    m_fish->SetAnimationKeepingSet(c.to);
    EXPECT_EQ(Shown(), c.first);
    EXPECT_TRUE(m_fish->IsShowing(c.to));
    RunOut();
    // The stage's animations stop at their end, so the follower stays shown.
    EXPECT_EQ(Shown(), c.to);
    EXPECT_EQ(m_fish->IsFacingBack(), c.to >= 15);
  }
}

// Looks by movement mask: start animation, blinking, mask, at the top, at the bottom, a left mask
// shown, and the animation shown next (a turn, 14 or 29, where the look lies in the other set).
TEST_F(FishPiece, EachMaskShowsItsLookPlainOrRecoveringAndAtTheLimits) {
  const struct {
    uint32_t from;
    bool blinking;
    int32_t mask;
    bool atTop;
    bool atBottom;
    bool leftShown;
    uint32_t shown;
  } cases[] = {
      // Not recovering.
      {19, false, 0, false, false, true, 15},
      {5, false, 0, false, false, true, 0},
      {0, false, 0, false, false, true, 0},
      {0, false, 1, false, false, true, 4},
      {15, false, 1, false, false, true, 19},
      {4, false, 1, true, false, true, 0},
      {19, false, 1, true, false, true, 15},
      {0, false, 2, false, false, true, 14},
      {0, false, 2, false, false, false, 0},
      {0, false, 3, false, false, true, 14},
      {19, false, 3, true, false, true, 15},
      {0, false, 4, false, false, true, 5},
      {15, false, 4, false, false, true, 20},
      {5, false, 4, false, true, true, 0},
      {15, false, 6, false, false, true, 20},
      {20, false, 6, false, true, true, 15},
      {15, false, 8, false, false, true, 29},
      {6, false, 8, false, false, true, 0},
      {13, false, 8, false, false, true, 0},
      {26, false, 8, false, false, true, 29},
      {19, false, 8, false, false, true, 19},
      {0, false, 9, false, false, true, 4},
      {4, false, 9, true, false, true, 0},
      {15, false, 12, false, false, true, 29},
      {5, false, 12, false, true, true, 0},
      {0, false, 5, false, false, true, 0},
      {4, false, 10, false, false, true, 4},
      // Recovering.
      {27, true, 0, false, false, true, 26},
      {12, true, 0, false, false, true, 11},
      {11, true, 1, false, false, true, 12},
      {26, true, 1, false, false, true, 27},
      {12, true, 1, true, false, true, 11},
      {11, true, 2, false, false, true, 26},
      {11, true, 2, false, false, false, 11},
      {11, true, 3, false, false, true, 27},
      {11, true, 3, true, false, true, 26},
      {26, true, 4, false, false, true, 13},
      {13, true, 4, false, true, true, 11},
      {11, true, 6, false, false, true, 28},
      {11, true, 6, false, true, true, 26},
      {0, true, 8, false, false, true, 11},
      {15, true, 8, false, false, true, 11},
      {12, true, 8, false, false, true, 11},
      {21, true, 8, false, false, true, 26},
      {27, true, 8, false, false, true, 27},
      {11, true, 9, false, false, true, 12},
      {11, true, 9, true, false, true, 11},
      {11, true, 12, false, false, true, 13},
      {13, true, 12, false, true, true, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("from " + std::to_string(c.from) + " mask " + std::to_string(c.mask) +
                 (c.blinking ? " blinking" : "") + (c.atTop ? " top" : "") + (c.atBottom ? " bottom" : ""));
    m_fish->SetAnimation(c.from, 0);
    if (c.blinking) {
      m_fish->Blink(5000);
    } else {
      m_fish->ClearBlink();
    }
    m_fish->ShowMovement(c.mask, c.atTop, c.atBottom, c.leftShown);
    EXPECT_EQ(Shown(), c.shown);
  }
}

TEST_F(FishPiece, SwimmingStraightOnNowAndThenShowsOneOfThreeFlourishes) {
  int flourishes = 0;
  for (int i = 0; i < 400; ++i) {
    m_fish->SetAnimation(0, 0);
    m_fish->ShowMovement(8, false, false, true);
    const uint32_t shown = Shown();
    EXPECT_TRUE(shown <= 3) << shown;
    if (shown != 0) ++flourishes;
  }
  // One step in ten, give or take the draws.
  EXPECT_GT(flourishes, 15);
  EXPECT_LT(flourishes, 80);
}

TEST_F(FishPiece, TheBlinkEndsAfterItsTimeWithThePlainTwinOfTheRecoveringLook) {
  const uint32_t twins[][2] = {{11, 0}, {12, 4}, {13, 5}, {26, 15}, {27, 19}, {28, 20}, {6, 6}, {21, 21}};
  for (const auto& twin : twins) {
    SCOPED_TRACE(twin[0]);
    m_fish->SetAnimation(twin[0], 0);
    m_fish->SetZ(10);
    m_fish->Blink(1000);
    Tick(1000);
    m_fish->Update();
    EXPECT_TRUE(m_fish->IsBlinking());
    EXPECT_EQ(Shown(), twin[0]);
    EXPECT_EQ(m_fish->GetZ(), 10);
    Tick(1);
    m_fish->Update();
    EXPECT_FALSE(m_fish->IsBlinking());
    EXPECT_EQ(Shown(), twin[1]);
    EXPECT_EQ(m_fish->GetZ(), 2);
  }
}

TEST_F(FishPiece, HalfASecondAfterTheLeftSteeringStopsTheFishTurnsBackUnlessSteeringResumes) {
  m_fish->SetAnimation(15, 0);
  m_fish->m_horizontalSense = -1;
  m_fish->Update();
  m_fish->m_horizontalSense = 0;
  m_fish->Update();
  EXPECT_EQ(m_fish->m_turnBackAt, Now() + 500);
  Tick(500);
  m_fish->Update();
  EXPECT_EQ(Shown(), 15u);
  Tick(1);
  m_fish->Update();
  EXPECT_EQ(Shown(), 29u);
  EXPECT_EQ(m_fish->m_turnBackAt, -1);
  RunOut();
  EXPECT_EQ(Shown(), 0u);

  // Steering again in the meantime cancels the turn; stopping right steering never turns.
  m_fish->SetAnimation(15, 0);
  m_fish->m_horizontalSense = -1;
  m_fish->Update();
  m_fish->m_horizontalSense = 0;
  m_fish->Update();
  m_fish->m_horizontalSense = 1;
  m_fish->Update();
  m_fish->m_horizontalSense = 0;
  m_fish->Update();
  Tick(600);
  m_fish->Update();
  EXPECT_EQ(Shown(), 15u);
  EXPECT_EQ(m_fish->m_turnBackAt, -1);
}

}  // namespace
