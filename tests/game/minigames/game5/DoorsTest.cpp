// The shark and its doors: what a ball in a door, on the floor or elsewhere counts for with the shark
// shown or away, the cycle of closing, opening and waiting with its return delay by level, the looks by
// goals, the moves every 10 to 15 seconds and a draw at the generator's top value.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "PieceStage.h"
#include "game5/Game5Node.h"

namespace {

using Doors = Game5Node::GM5GarmoDoors;

class DoorPieces : public test::PieceStage {
protected:
  void SetUp() override {
    PieceStage::SetUp();
    m_doors.m_shark = Make("FeedingFrenzy_Garmo");
    const char* sprites[] = {"FF_left_door", "FF_midl_door", "FF_rght_door"};
    for (size_t i = 0; i < 3; ++i) m_doors.m_doorSprites[i] = Make(sprites[i]);
    m_doors.ShowDoors();
  }

  uint32_t DoorAnimation(int32_t door) const {
    return m_doors.m_doorSprites[static_cast<size_t>(door)]->GetAnimationId();
  }

  Doors m_doors;
};

TEST_F(DoorPieces, ClosedDoorsRestOnTheirLastFrameAndTheSharksDoorIsOpen) {
  EXPECT_EQ(DoorAnimation(1), Doors::kDoorOpen);
  EXPECT_EQ(m_doors.m_doorSprites[1]->GetCurrentFrame(), 0);
  for (const int32_t door : {0, 2}) {
    EXPECT_EQ(DoorAnimation(door), Doors::kDoorClosing);
    EXPECT_EQ(m_doors.m_doorSprites[static_cast<size_t>(door)]->GetCurrentFrame(), 2);
  }
}

TEST_F(DoorPieces, ABallCountsInTheSharksDoorWhileItShowsAndOnTheFloorOnlyThen) {
  const Qel::Point2 door0{173, 149};
  const Qel::Point2 door1{411, 72};
  const Qel::Point2 door2{649, 145};
  const Qel::Point2 floor{400, 600};
  const Qel::Point2 room{400, 400};
  const struct {
    int32_t door;
    int32_t sharkAnim;
    Qel::Point2 ball;
    int32_t result;
  } cases[] = {
      {1, 9, door1, Doors::kGoal},     {1, 8, door1, Doors::kGoal},      {0, 5, door0, Doors::kGoal},
      {2, 20, door2, Doors::kGoal},    {1, 9, door0, Doors::kNothing},   {1, 9, door2, Doors::kNothing},
      {1, 9, floor, Doors::kFloor},    {1, 9, room, Doors::kNothing},    {0, 1, door1, Doors::kNothing},
      // The shark away: hit, leaving, or not yet back.
      {1, 14, door1, Doors::kNothing}, {1, 15, floor, Doors::kNothing}, {0, 6, door0, Doors::kNothing},
      {2, 23, door2, Doors::kNothing}, {2, 22, floor, Doors::kNothing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("door " + std::to_string(c.door) + " shark " + std::to_string(c.sharkAnim) + " at " +
                 std::to_string(c.ball.X()) + ", " + std::to_string(c.ball.Y()));
    m_doors.m_door = c.door;
    m_doors.m_sharkAnim = c.sharkAnim;
    m_doors.m_goals = 0;
    m_doors.m_moveAt = -1;
    EXPECT_EQ(m_doors.TestBall(c.ball), c.result);
    if (c.result == Doors::kGoal) {
      EXPECT_EQ(m_doors.m_goals, 1);
      EXPECT_EQ(m_doors.m_prevDoor, c.door);
      EXPECT_EQ(m_doors.m_sharkAnim, 8 * c.door + 6);
      EXPECT_EQ(m_doors.m_shark->GetAnimationId(), static_cast<uint32_t>(8 * c.door + 6));
      EXPECT_NE(m_doors.m_door, c.door);
      EXPECT_GE(m_doors.m_moveAt, static_cast<int32_t>(Now()) + 10000);
      EXPECT_LE(m_doors.m_moveAt, static_cast<int32_t>(Now()) + 15000);
    } else {
      EXPECT_EQ(m_doors.m_goals, 0);
      EXPECT_EQ(m_doors.m_door, c.door);
    }
  }
}

TEST_F(DoorPieces, AfterAGoalTheOldDoorClosesTheNewOneOpensAndTheSharkReturnsAfterTheLevelsDelay) {
  const struct {
    int32_t level;
    int32_t delay;
  } cases[] = {{1, 1000}, {2, 900}, {14, 120}, {15, 100}, {20, 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level));
    test::SetShown(m_doors.m_shark, true);
    m_doors.m_door = 1;
    m_doors.m_sharkAnim = 9;
    m_doors.m_goals = 0;
    m_doors.m_phase = Doors::kShown;
    ASSERT_EQ(m_doors.TestBall({411, 72}), Doors::kGoal);
    const int32_t next = m_doors.m_door;

    // The hit plays to its loop: then the shark goes and its door closes.
    EXPECT_FALSE(m_doors.OnSharkLooped(c.level));
    EXPECT_FALSE(test::IsShown(m_doors.m_shark));
    EXPECT_EQ(m_doors.m_phase, Doors::kClosing);
    EXPECT_EQ(DoorAnimation(1), Doors::kDoorClosing);
    m_doors.OnDoorAnimationEnded(1, c.level);
    EXPECT_EQ(m_doors.m_phase, Doors::kOpening);
    EXPECT_EQ(DoorAnimation(next), Doors::kDoorOpening);
    m_doors.OnDoorAnimationEnded(next, c.level);
    EXPECT_EQ(m_doors.m_phase, Doors::kWaiting);
    // Other phases take no door end.
    m_doors.OnDoorAnimationEnded(next, c.level);
    EXPECT_EQ(m_doors.m_phase, Doors::kWaiting);

    m_doors.UpdateReturn(c.level);
    Tick(static_cast<uint32_t>(c.delay));
    m_doors.UpdateReturn(c.level);
    EXPECT_EQ(m_doors.m_phase, Doors::kWaiting);
    EXPECT_FALSE(test::IsShown(m_doors.m_shark));
    Tick(1);
    m_doors.UpdateReturn(c.level);
    EXPECT_EQ(m_doors.m_phase, Doors::kShown);
    EXPECT_TRUE(test::IsShown(m_doors.m_shark));
    // One goal: from level 5 on that is still the first look.
    const int32_t look = c.level < 5 ? 2 : 0;
    EXPECT_EQ(m_doors.m_sharkAnim, 8 * next + look);
    EXPECT_TRUE(m_doors.IsSharkShowing());
    // The appearance turns into its idle loop at its own loop.
    EXPECT_FALSE(m_doors.OnSharkLooped(c.level));
    EXPECT_EQ(m_doors.m_sharkAnim, 8 * next + look + 1);
    EXPECT_EQ(m_doors.m_shark->GetAnimationId(), static_cast<uint32_t>(8 * next + look + 1));
    m_doors.UpdateReturn(c.level);
    EXPECT_EQ(m_doors.m_phase, Doors::kShown);
  }
}

TEST_F(DoorPieces, TheSharksLookFollowsTheGoalsOfTheLevelAtEveryDoor) {
  const struct {
    int32_t level;
    int32_t goals;
    int32_t offset;
  } cases[] = {{1, 0, 0}, {1, 1, 2}, {1, 2, 4}, {3, 2, 2}, {3, 3, 4}, {4, 1, 2},
               {5, 1, 0}, {5, 2, 2}, {5, 3, 2}, {5, 4, 4}, {20, 1, 0}, {20, 9, 4}};
  for (const auto& c : cases) {
    for (int32_t door = 0; door < 3; ++door) {
      m_doors.m_door = door;
      m_doors.m_goals = c.goals;
      m_doors.ShowSharkAtDoor(c.level);
      EXPECT_EQ(m_doors.m_sharkAnim, 8 * door + c.offset)
          << "level " << c.level << " goals " << c.goals << " door " << door;
    }
  }
  for (int32_t anim = 0; anim < 24; ++anim) {
    m_doors.m_sharkAnim = anim;
    EXPECT_EQ(m_doors.IsSharkShowing(), anim % 8 < 6) << anim;
  }
}

TEST_F(DoorPieces, TheSharkMovesToAnotherDoorEveryTenToFifteenSeconds) {
  test::SeedDrawing(32767);
  EXPECT_FALSE(m_doors.UpdateMoveTimer());
  const int32_t moveAt = static_cast<int32_t>(Now()) + 15000;
  EXPECT_EQ(m_doors.m_moveAt, moveAt);
  Tick(15000);
  EXPECT_FALSE(m_doors.UpdateMoveTimer());
  Tick(1);
  m_doors.m_sharkAnim = 9;
  test::SetShown(m_doors.m_shark, true);
  EXPECT_TRUE(m_doors.UpdateMoveTimer());
  EXPECT_EQ(m_doors.m_sharkAnim, 15);
  EXPECT_EQ(m_doors.m_prevDoor, 1);
  EXPECT_NE(m_doors.m_door, 1);
  EXPECT_GE(m_doors.m_moveAt, static_cast<int32_t>(Now()) + 10000);
  // A shark loop first asks whether it is time to move.
  Tick(16000);
  EXPECT_TRUE(m_doors.OnSharkLooped(1));
  // The leaving animation's loop then takes it away.
  EXPECT_FALSE(m_doors.OnSharkLooped(1));
  EXPECT_FALSE(test::IsShown(m_doors.m_shark));
  EXPECT_EQ(m_doors.m_phase, Doors::kClosing);
}

// rand() at 32767 scales to 3, which is no door: the draw is taken again.
TEST_F(DoorPieces, ADrawAtTheGeneratorsTopValueIsDrawnAgainSoTheNewDoorIsAlwaysADoor) {
  for (const int32_t from : {0, 1, 2}) {
    test::SeedDrawing(32767);
    m_doors.m_door = from;
    m_doors.DrawNewDoor();
    EXPECT_GE(m_doors.m_door, 0);
    EXPECT_LT(m_doors.m_door, 3);
    EXPECT_NE(m_doors.m_door, from);
  }
  // Door indices outside 0..2 change no door.
  m_doors.OpenDoor(3);
  m_doors.CloseDoor(-1);
  EXPECT_EQ(DoorAnimation(0), Doors::kDoorClosing);
}

}  // namespace
