// The player's fish: the arc under the pointer and its throw headings, the bob, the poses it turns
// through at its animation loops, catching with the button held, and the bounce with its 13 ignored
// steps and the contact point out of the circle's upper half.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "PieceStage.h"
#include "game5/Game5Node.h"

namespace {

using Actor = Game5Node::GM5Actor;

class ActorPieces : public test::PieceStage {
protected:
  void SetUp() override {
    PieceStage::SetUp();
    m_fish.m_sprite = Make("FeedingFrenzy_Pilo");
    m_fish.m_spriteOffset = {339, 420};
    m_fish.m_arc.Set({352, 1164}, 736, 320);
    m_fish.m_circle.Set({339, 420}, 78.0f);
    m_fish.m_bob = 0.0f;
  }

  Actor m_fish;
};

TEST_F(ActorPieces, TheArcFollowsThePointerWithinItsWidthAndGivesTheThrowHeading) {
  const struct {
    int32_t pointer;
    int32_t x;
    int32_t heading;
  } cases[] = {{0, 32, 245}, {352, 352, 270}, {700, 672, 296}, {-500, 32, 245}, {32, 32, 245}};
  for (const auto& c : cases) {
    SCOPED_TRACE("pointer " + std::to_string(c.pointer));
    m_fish.m_arc.TrackCursor(Qel::Point2(c.pointer, 450));
    EXPECT_EQ(m_fish.m_arc.GetX(), c.x);
    EXPECT_EQ(m_fish.m_arc.GetNormalHeading(), c.heading);
    const int32_t y = m_fish.m_arc.GetY();
    EXPECT_EQ(y, static_cast<int32_t>(std::lround(1164 - std::sqrt(736.0 * 736 - (c.x - 352.0) * (c.x - 352)))));
    for (const int32_t facing : {Actor::kFacingLeft, Actor::kFacingRight}) {
      m_fish.m_facing = facing;
      m_fish.SyncSprite();
      EXPECT_EQ(m_fish.m_sprite->GetX(), static_cast<float>(c.x - 339));
      EXPECT_EQ(m_fish.m_sprite->GetY(), static_cast<float>(y - 420));
      EXPECT_EQ(m_fish.m_circle.GetCenter(), Qel::Point2(c.x + (facing == Actor::kFacingLeft ? 60 : 26), y + 64));
      EXPECT_EQ(m_fish.m_circle.GetRadius(), 78.0f);
    }
    EXPECT_EQ(m_fish.GetHandPoint(), Qel::Point2(c.x, y));
  }
}

TEST_F(ActorPieces, TheFishBobsATenthOfASecondAtATimeBetweenItsLimits) {
  const float expected[] = {1, 2, 3, 4, 3.4f, 2.8f, 2.2f, 1.6f, 1, 0.4f, -0.2f, -0.8f, -1.4f,
                            -2, -2.6f, -3.2f, -3.8f, -3.2f, -2.6f};
  m_fish.m_arc.TrackCursor(Qel::Point2(352, 450));
  Tick(1);
  for (const float bob : expected) {
    m_fish.Bob();
    EXPECT_NEAR(m_fish.m_bobApplied, bob, 1e-4);
    // Not again within the tenth of a second.
    Tick(100);
    m_fish.Bob();
    EXPECT_NEAR(m_fish.m_bobApplied, bob, 1e-4);
    Tick(1);
  }
  m_fish.SyncSprite();
  // The bob is truncated with the point: 8 - 2.6 and 428 - 2.6.
  EXPECT_EQ(m_fish.m_sprite->GetY(), 5.0f);
  EXPECT_EQ(m_fish.GetHandPoint(), Qel::Point2(352, 425));
}

TEST_F(ActorPieces, AtEachLoopTheFishTakesThePoseOfItsMovementButtonAndBall) {
  constexpr int32_t kNone = -1;
  const struct {
    int32_t pose;
    int32_t facing;
    bool button;
    bool ball;
    int32_t dx;  // of the pointer since the last loop
    int32_t newPose;
    int32_t animation;  // kNone: no new animation
  } cases[] = {
      // Free swimming: turns, then faces; the ball held plays the holding animations.
      {0, 2, false, false, 29, 3, 13},     {3, 1, false, false, 29, 1, 11},   {3, 1, false, false, 0, 1, 11},
      {1, 1, false, false, -29, 2, 12},    {2, 2, false, false, -29, 0, 10},  {2, 2, false, false, 0, 0, 10},
      {0, 2, false, false, 28, 0, 10},     {0, 2, false, true, 0, 0, 0},      {1, 1, false, true, 0, 1, 1},
      {0, 2, false, true, 40, 3, 3},       {1, 1, false, true, -40, 2, 2},
      // A throw ends by the free animations, though the ball is still held.
      {4, 2, false, true, 0, 0, 10},       {5, 1, false, true, 40, 1, 11},    {5, 2, false, false, -40, 0, 10},
      {8, 2, false, false, 0, 0, 10},      {9, 1, false, false, 0, 1, 11},    {20, 2, false, false, 50, 3, 13},
      {21, 1, false, false, -50, 2, 12},
      // Hurry poses turn among themselves.
      {22, 2, false, true, 40, 25, 25},    {24, 2, false, true, 40, 25, 25},  {25, 1, false, true, 40, 23, 23},
      {23, 1, false, true, -40, 24, 24},   {25, 1, false, true, -40, 24, 24}, {24, 2, false, true, -40, 22, 22},
      {24, 2, false, true, 0, 22, 22},     {25, 1, false, true, 0, 23, 23},   {22, 2, false, true, 0, 22, 22},
      // Ready to catch: the button held and no ball.
      {0, 2, true, false, 0, 16, 16},      {1, 1, true, false, 0, 17, 17},    {0, 2, true, false, 40, 19, 19},
      {17, 1, true, false, 40, 17, kNone}, {1, 1, true, false, 40, 17, 17},   {1, 1, true, false, -40, 18, 18},
      {16, 2, true, false, -40, 16, kNone}, {0, 2, true, false, -40, 16, 16}, {19, 1, true, false, 0, 17, 17},
      // With the ball the button changes nothing.
      {0, 2, true, true, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("pose " + std::to_string(c.pose) + " dx " + std::to_string(c.dx) +
                 (c.button ? " button" : "") + (c.ball ? " ball" : ""));
    m_fish.m_pose = c.pose;
    m_fish.m_facing = c.facing;
    m_fish.m_buttonHeld = c.button;
    m_fish.m_ballHeld = c.ball;
    m_fish.m_lastMouse = {400, 300};
    m_fish.m_sprite->SetAnimation(7, 0);
    const bool threw = m_fish.UpdateAnimation(Qel::Point2(400 + c.dx, 300));
    EXPECT_EQ(threw, c.pose == 4 || c.pose == 5);
    EXPECT_EQ(m_fish.m_pose, c.newPose);
    EXPECT_EQ(m_fish.m_sprite->GetAnimationId(), static_cast<uint32_t>(c.animation == kNone ? 7 : c.animation));
    EXPECT_EQ(m_fish.m_lastMouse, Qel::Point2(400 + c.dx, 300));
    if (c.dx > 28 || c.dx < -28) {
      EXPECT_EQ(m_fish.m_facing, c.dx > 0 ? Actor::kFacingRight : Actor::kFacingLeft);
    }
  }
}

TEST_F(ActorPieces, ThrowCatchBounceAndHurryPosesByFacingAndNoHurryWhileThrowing) {
  const struct {
    int32_t facing;
    int32_t thrown, caught, bounced, hurried;
  } cases[] = {{Actor::kFacingLeft, 4, 8, 20, 22}, {Actor::kFacingRight, 5, 9, 21, 23}};
  for (const auto& c : cases) {
    m_fish.m_facing = c.facing;
    m_fish.m_bounceCooldown = 0;
    m_fish.PlayCatch();
    EXPECT_EQ(m_fish.m_sprite->GetAnimationId(), static_cast<uint32_t>(c.caught));
    m_fish.PlayBounce();
    EXPECT_EQ(m_fish.m_pose, c.bounced);
    m_fish.Hurry();
    EXPECT_EQ(m_fish.m_pose, c.hurried);
    EXPECT_EQ(m_fish.m_sprite->GetAnimationId(), static_cast<uint32_t>(c.hurried));
    m_fish.StartThrow();
    EXPECT_EQ(m_fish.m_pose, c.thrown);
    EXPECT_EQ(m_fish.m_bounceCooldown, 1);
    m_fish.Hurry();
    EXPECT_EQ(m_fish.m_pose, c.thrown);
    EXPECT_EQ(m_fish.m_sprite->GetAnimationId(), static_cast<uint32_t>(c.thrown));
  }
}

TEST_F(ActorPieces, OnlyTheUpperHalfCatchesAndOnlyWithTheButtonHeld) {
  m_fish.m_arc.TrackCursor(Qel::Point2(352, 450));
  m_fish.SyncSprite();  // circle centre (412, 492)
  const struct {
    Qel::Point2 point;
    bool touches;
  } points[] = {{{412, 420}, true}, {{412, 491}, true}, {{412, 492}, false}, {{412, 530}, false},
                {{412, 414}, false}, {{470, 450}, true}, {{500, 450}, false}};
  for (const auto& p : points) {
    EXPECT_EQ(m_fish.TouchesPoint(p.point), p.touches) << p.point.X() << ", " << p.point.Y();
    m_fish.m_buttonHeld = false;
    m_fish.m_ballHeld = false;
    EXPECT_FALSE(m_fish.TryCatch(p.point));
    m_fish.m_buttonHeld = true;
    EXPECT_EQ(m_fish.TryCatch(p.point), p.touches);
    EXPECT_EQ(m_fish.m_ballHeld, p.touches);
  }
}

TEST_F(ActorPieces, ABounceSendsTheBallBackOutAndTheFishIgnoresItForThirteenSteps) {
  m_fish.m_arc.TrackCursor(Qel::Point2(352, 450));
  m_fish.SyncSprite();
  const Qel::Point2 top{400, 440};
  EXPECT_EQ(m_fish.Bounce(90, {412, 500}), -1);  // below the centre
  int32_t normal = 0;
  TzDeflectingSphere circle = m_fish.m_circle;
  const int32_t expected = circle.Deflect(80, top.X(), top.Y(), normal);
  EXPECT_EQ(m_fish.Bounce(80, top), expected);
  EXPECT_EQ(m_fish.m_contactAngle, (normal + 180) % 360);
  // The contact point lies out of the circle, above its centre: the ball is put back where it came from.
  const Qel::Point2 out = m_fish.m_circle.GetPointAtAngle(m_fish.m_contactAngle);
  EXPECT_FALSE(m_fish.m_circle.Contains(out));
  EXPECT_LT(out.Y(), 492);
  EXPECT_LT(out.X(), 412);
  for (int step = 1; step <= 13; ++step) EXPECT_EQ(m_fish.Bounce(80, top), -1) << "step " << step;
  EXPECT_EQ(m_fish.Bounce(80, top), expected);
  // A throw starts the same count.
  m_fish.m_bounceCooldown = 0;
  m_fish.StartThrow();
  for (int step = 1; step <= 13; ++step) EXPECT_EQ(m_fish.Bounce(80, top), -1) << "step " << step;
  EXPECT_EQ(m_fish.Bounce(80, top), expected);
}

}  // namespace
