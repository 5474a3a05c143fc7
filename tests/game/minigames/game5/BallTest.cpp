// The kelp ball, its room and its bubbles: the perspective zones at their edges, the bounce pass's
// order and where it puts the ball, the depth among doors, fish and jellyfish, and the bubbles.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "PieceStage.h"
#include "framework/TzDeflectingRect.h"
#include "framework/TzDeflectingSphere.h"
#include "game5/Game5Node.h"

namespace {

using Ball = Game5Node::GM5Ball;
using Room = Game5Node::Gm5Room;

class BallPieces : public test::PieceStage {
protected:
  void SetUp() override {
    PieceStage::SetUp();
    m_ball.m_sprite = Make("KelpBall");
    m_ball.m_path.SetTimeBased(true);
    m_ball.SetSize(32);
    m_ball.m_sprite->SetAnimation(4, 0);
    for (auto& bubble : m_ball.m_trail.m_bubbles) bubble.m_sprite = Make("BubbleRise");
    for (auto& bubble : m_ball.m_bounceBubbles.m_bubbles) bubble.m_sprite = Make("DeflectBubble");
  }

  void Place(int32_t x, int32_t y, int32_t heading) {
    m_ball.m_path.SetPosition(static_cast<float>(x), static_cast<float>(y));
    m_ball.m_path.SetAngle(heading);
  }

  int32_t BounceBubblesInUse() const {
    int32_t n = 0;
    for (const auto& bubble : m_ball.m_bounceBubbles.m_bubbles) n += bubble.m_inUse;
    return n;
  }

  Ball m_ball;
  Room m_room;
};

TEST_F(BallPieces, ZonesChangeSpeedSizeAndAnimationAtTheirEdgesAndNotOnTheFloor) {
  const Game5Node::BallSpeed level3 = Game5Node::BallSpeedFor(3);
  ASSERT_EQ(level3.base, 390.0f);
  ASSERT_EQ(level3.boost, 112.0f);
  const struct {
    int32_t y;
    int32_t zone;
    float speed;
    int32_t halfSize;
  } cases[] = {
      {170, 0, 390 + 112, 12},         {171, 1, 390 + 112 * 0.8f, 17}, {216, 1, 390 + 112 * 0.8f, 17},
      {217, 2, 390 + 112 * 0.6f, 22},  {286, 2, 390 + 112 * 0.6f, 22}, {287, 3, 390 + 112 * 0.4f, 27},
      {356, 3, 390 + 112 * 0.4f, 27},  {357, 4, 390 + 112 * 0.2f, 32}, {599, 4, 390 + 112 * 0.2f, 32},
      {100, 0, 390 + 112, 12},
      // On the floor the zone of before stays, with its speed, size and animation.
      {600, 0, 390 + 112, 12},         {700, 0, 390 + 112, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("y " + std::to_string(c.y));
    Place(400, c.y, 90);
    m_ball.SetSpeedForDepth(level3.base, level3.boost);
    EXPECT_EQ(m_ball.m_depthZone, c.zone);
    EXPECT_FLOAT_EQ(m_ball.m_path.GetSpeed(), c.speed);
    EXPECT_EQ(m_ball.GetHalfSize(), c.halfSize);
    EXPECT_EQ(m_ball.m_right, Qel::Point2(2 * c.halfSize, c.halfSize));
    EXPECT_EQ(m_ball.m_sprite->GetAnimationId(), static_cast<uint32_t>(c.zone));
  }

  // A bounce turns the flight animation into its bounce animation; a new zone brings the flight back.
  m_ball.PlayBounceAnimation();
  EXPECT_EQ(m_ball.m_sprite->GetAnimationId(), 5u);
  m_ball.PlayBounceAnimation();
  EXPECT_EQ(m_ball.m_sprite->GetAnimationId(), 5u);
  Place(400, 300, 90);
  m_ball.SetSpeedForDepth(level3.base, level3.boost);
  EXPECT_EQ(m_ball.m_sprite->GetAnimationId(), 3u);
}

TEST_F(BallPieces, SpeedTableEndsAndLevelsOutsideItReadTheirNearest) {
  EXPECT_EQ(Game5Node::BallSpeedFor(1).base, 350.0f);
  EXPECT_EQ(Game5Node::BallSpeedFor(1).boost, 84.0f);
  EXPECT_EQ(Game5Node::BallSpeedFor(20).base, 780.0f);
  EXPECT_EQ(Game5Node::BallSpeedFor(0).base, 350.0f);
  EXPECT_EQ(Game5Node::BallSpeedFor(99).base, 780.0f);
}

TEST_F(BallPieces, FlightFollowsTheGameClockAndRemembersThePointBefore) {
  Place(400, 400, 270);
  m_ball.m_path.SetSpeed(500.0f);
  m_ball.m_path.ResetStepClock();
  m_ball.Step();  // takes the time only
  EXPECT_EQ(m_ball.GetPoint(), Qel::Point2(400, 400));
  Tick(20);
  m_ball.Step();
  EXPECT_EQ(m_ball.m_prevX, 400);
  EXPECT_EQ(m_ball.m_prevY, 400);
  EXPECT_EQ(m_ball.GetPoint(), Qel::Point2(400, 390));
  m_ball.SyncSprite();
  EXPECT_EQ(m_ball.m_sprite->GetX(), 400.0f - 32);
  EXPECT_EQ(m_ball.m_sprite->GetY(), 390.0f - 32);
  for (const auto& [x, y, off] : {std::tuple{-40, 300, false}, std::tuple{-41, 300, true},
                                  std::tuple{840, 300, false}, std::tuple{841, 300, true},
                                  std::tuple{400, -41, true}, std::tuple{400, 640, false},
                                  std::tuple{400, 641, true}}) {
    Place(x, y, 0);
    EXPECT_EQ(m_ball.IsOffScreen(), off) << x << ", " << y;
  }
}

// The ceiling, then a side wall, then the jellyfish, then the bulkheads: the first that holds the
// point turns the ball, and a wall ends the pass before the jellyfish are asked.
TEST_F(BallPieces, BouncePassTakesTheFirstPieceThatHoldsTheBall) {
  enum What { kNone, kCeiling, kRight, kLeft, kJelly, kBulkhead0, kBulkhead1 };
  const struct {
    Qel::Point2 point;
    int32_t heading;
    bool jellyTakes;
    What what;
  } cases[] = {
      {{400, 95}, 300, true, kCeiling},   {{400, 96}, 300, false, kNone},  {{400, 95}, 300, false, kCeiling},
      {{765, 300}, 10, true, kRight},     {{764, 300}, 10, false, kNone},  {{35, 300}, 170, true, kLeft},
      {{36, 300}, 170, false, kNone},     {{400, 300}, 90, true, kJelly},  {{114, 150}, 300, true, kJelly},
      {{114, 150}, 300, false, kBulkhead0}, {{668, 160}, 250, false, kBulkhead1},
      // Both walls' corners with the ceiling: the ceiling first.
      {{20, 50}, 200, true, kCeiling},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.point.X()) + ", " + std::to_string(c.point.Y()));
    m_ball.m_sprite->SetAnimation(2, 0);
    for (auto& bubble : m_ball.m_bounceBubbles.m_bubbles) bubble.m_inUse = false;
    Place(c.point.X(), c.point.Y(), c.heading);
    std::vector<Qel::Point2> asked;
    const unsigned seed = 77;
    const int draw = test::PeekDraw(seed);

    const Room::Bounces bounces = m_room.BouncePass(m_ball, [&](Qel::Point2 p) {
      asked.push_back(p);
      return c.jellyTakes;
    });

    const bool wall = c.what == kCeiling || c.what == kRight || c.what == kLeft;
    EXPECT_EQ(bounces.wall, wall);
    EXPECT_EQ(bounces.jellyfish, c.what == kJelly);
    EXPECT_EQ(bounces.bulkheads, c.what == kBulkhead0 || c.what == kBulkhead1 ? 1 : 0);
    EXPECT_EQ(asked.size(), wall ? 0u : 1u);
    // A wall or a bulkhead shows the bounce and leaves a bubble; the jellyfish do neither here.
    const bool shows = wall || bounces.bulkheads > 0;
    EXPECT_EQ(m_ball.m_sprite->GetAnimationId(), shows ? 7u : 2u);
    EXPECT_EQ(BounceBubblesInUse(), shows ? 1 : 0);

    Qel::Point2 where = c.point;
    int32_t heading = c.heading;
    if (wall) {
      TzDeflectingRect rect;
      const Qel::Point2 positions[] = {{-100, -24}, {764, -100}, {-90, -100}};
      const Qel::Point2 sizes[] = {{1000, 120}, {126, 800}, {126, 800}};
      const int32_t sides[] = {0, 2, 3};
      const int i = c.what - kCeiling;
      rect.SetWithSide(positions[i], sizes[i], sides[i]);
      heading = rect.DeflectWithOffset(c.heading, TzDeflectingRect::OffsetFromDraw(draw));
      // Off the side walls' edges by a pixel, back into the room.
      if (c.what == kRight) where = {763, c.point.Y()};
      if (c.what == kLeft) where = {37, c.point.Y()};
    } else if (bounces.bulkheads) {
      TzDeflectingSphere sphere;
      sphere.Set(c.what == kBulkhead0 ? Qel::Point2(114, -26) : Qel::Point2(668, -36), 208.0f);
      int32_t normal = 0;
      heading = sphere.Deflect(c.heading, c.point.X(), c.point.Y(), normal);
      where = sphere.GetPointAtAngle(normal);
      EXPECT_FALSE(sphere.Contains(where));
      EXPECT_GT(where.Y(), c.point.Y());
    }
    EXPECT_EQ(m_ball.m_path.GetHeading(), heading);
    EXPECT_EQ(m_ball.GetPoint(), where);
  }
}

TEST_F(BallPieces, BallDrawsBehindTheDoorsInFrontOfTheFishOrJustAboveTheNearestJellyfishBelow) {
  const Game5Node::JellyDepth jellies[] = {{270, 610}, {154, 310}, {316, 620}, {234, 600}, {234, 300}};
  const struct {
    int32_t y;
    int32_t door;
    int32_t count;
    int32_t depth;
  } cases[] = {
      {164, 0, 5, 100},  {165, 0, 5, 596},  {179, 2, 5, 100},  {180, 2, 5, 596}, {0, 1, 5, 306},
      {-5, 1, 5, 100},   {200, 1, 5, 596},  {234, 1, 5, 606},  {300, 1, 5, 616}, {316, 1, 5, 800},
      {448, 1, 5, 800},  {449, 1, 5, 1200}, {200, 1, 0, 800},  {200, 7, 5, 596},
      // Of equal distances the first wins.
      {230, 1, 5, 596},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Game5Node::BallDepth(c.y, c.door, 428, jellies, c.count), c.depth)
        << "y " << c.y << " door " << c.door;
  }
}

TEST_F(BallPieces, TrailBubblesRiseEveryFewHundredMillisecondsWhileTheBallShowsAndRunOut) {
  Game5Node::GM5BallBubblesMgr& trail = m_ball.m_trail;
  test::SeedDrawing(32767);
  trail.Update(100, 200, true);
  // The first call only draws the time: 160 ms and up to 80 more.
  EXPECT_EQ(trail.m_nextSpawnAt, static_cast<int32_t>(Now()) + 240);
  EXPECT_FALSE(trail.m_bubbles[0].m_inUse);
  Tick(240);
  trail.Update(100, 200, true);
  EXPECT_FALSE(trail.m_bubbles[0].m_inUse);
  Tick(1);
  trail.Update(100, 200, true);
  ASSERT_TRUE(trail.m_bubbles[0].m_inUse);
  EXPECT_EQ(trail.m_bubbles[0].m_sprite->GetX(), 66.0f);
  EXPECT_EQ(trail.m_bubbles[0].m_sprite->GetY(), 156.0f);
  EXPECT_EQ(trail.m_bubbles[0].m_sprite->GetAnimationId(), 0u);
  EXPECT_GE(trail.m_nextSpawnAt, static_cast<int32_t>(Now()) + 160);
  EXPECT_LE(trail.m_nextSpawnAt, static_cast<int32_t>(Now()) + 240);

  // A hidden ball leaves none, though the time moves on.
  Tick(300);
  trail.Update(100, 200, false);
  EXPECT_FALSE(trail.m_bubbles[1].m_inUse);

  for (int i = 1; i < Game5Node::GM5BallBubblesMgr::kCount; ++i) trail.Spawn(i, i);
  for (const auto& bubble : trail.m_bubbles) EXPECT_TRUE(bubble.m_inUse);
  trail.Spawn(500, 500);  // none free: nothing moves
  EXPECT_EQ(trail.m_bubbles[0].m_sprite->GetX(), 66.0f);
  trail.Free(-1);
  trail.Free(20);
  trail.Free(7);
  EXPECT_EQ(trail.IndexOf(trail.m_bubbles[7].m_sprite), 7);
  EXPECT_EQ(trail.IndexOf(m_ball.m_sprite), -1);
  trail.Spawn(500, 500);
  EXPECT_EQ(trail.m_bubbles[7].m_sprite->GetX(), 466.0f);

  // The bounce bubbles are three.
  Game5Node::GM5DeflectBubblesMgr& marks = m_ball.m_bounceBubbles;
  for (int i = 0; i < 4; ++i) marks.Spawn(10 * i, 100);
  EXPECT_EQ(marks.m_bubbles[2].m_sprite->GetX(), 20.0f - 34);
  marks.Free(3);
  marks.Free(1);
  marks.Spawn(300, 100);
  EXPECT_EQ(marks.m_bubbles[1].m_sprite->GetX(), 266.0f);
}

TEST_F(BallPieces, ScaledDrawsReachTheirTopOnlyAtTheGeneratorsTopValue) {
  EXPECT_EQ(Game5Node::ScaledDraw(0, 3), 0);
  EXPECT_EQ(Game5Node::ScaledDraw(32766, 3), 2);
  EXPECT_EQ(Game5Node::ScaledDraw(32767, 3), 3);
  EXPECT_EQ(Game5Node::ScaledDraw(32767, 80), 80);
}

}  // namespace
