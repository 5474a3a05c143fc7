// The motion paths: the point on the arc under the mouse and its outward heading, including circles
// too small for their half width, and straight motion per call and on the game clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/AngularMotionPath.h"
#include "framework/CircularMotionPath.h"
#include "framework/GameClock.h"
#include "framework/LimitingAngledMotionPath.h"
#include "platform/win/kernel/Timer.h"

namespace {

uint32_t gTimerNow = 0;
uint32_t FakeTimer() {
  return gTimerNow;
}

// The game clock at 0 over a timer the test moves.
class TimedPath : public testing::Test {
protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting(FakeTimer);
    gTimerNow = 5000;
    GameClock::Instance().Pause(false);
    GameClock::Instance().SetTime(0);
  }
  void TearDown() override { plat::win::SetTimeSourceForTesting(nullptr); }

  static void Advance(uint32_t ms) { gTimerNow += ms; }
};

}  // namespace

TEST(CircularMotionPath, StartsAtTheTopAndFollowsTheMouseAlongTheArc) {
  CircularMotionPath arc;
  EXPECT_EQ(arc.GetX(), 0);
  EXPECT_EQ(arc.GetY(), 0);
  arc.Set({352, 1164}, 736, 320);
  EXPECT_EQ(arc.GetX(), 352);
  EXPECT_EQ(arc.GetY(), 428);
  EXPECT_EQ(arc.GetAngle(), 270);
  const struct {
    int32_t mouseX;
    int32_t x, y;
    int32_t heading;
  } cases[] = {
      {352, 352, 428, 270},                        // over the centre: the top, heading straight up
      {500, 500, 443, 282},                        // within the half width: on the circle at the mouse's x
      {204, 204, 443, 259}, {672, 672, 501, 296},  // at the half width, and beyond it: held at its end
      {800, 672, 501, 296}, {32, 32, 501, 245},   {-5000, 32, 501, 245},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("mouse x " + std::to_string(c.mouseX));
    arc.TrackCursor({c.mouseX, 0});
    EXPECT_EQ(arc.GetX(), c.x);
    EXPECT_EQ(arc.GetY(), c.y);
    EXPECT_EQ(arc.GetAngle(), c.heading);
    EXPECT_EQ(arc.GetNormalHeading(), c.heading);
  }
}

TEST(CircularMotionPath, ACircleTooSmallForItsPointStaysOnTheCentresHeightHeadingUp) {
  const struct {
    int32_t radius;
    uint32_t halfWidth;
    int32_t mouseX;
    int32_t x, y;
    int32_t heading;
  } cases[] = {
      {10, 50, 130, 130, 100, 270},  // the half width reaches past the radius
      {10, 50, 200, 150, 100, 270}, {10, 50, 40, 50, 100, 270},
      {10, 50, 105, 105, 91, 300},                               // still on the circle
      {10, 50, 110, 110, 100, 360},                              // at its side
      {10, 50, 90, 90, 100, 180},   {0, 0, 100, 100, 100, 270},  // a radius of 0
      {0, 0, 300, 100, 100, 270},   {0, 20, 110, 110, 100, 270},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("radius " + std::to_string(c.radius) + " half width " + std::to_string(c.halfWidth) +
                 " mouse x " + std::to_string(c.mouseX));
    CircularMotionPath arc;
    arc.Set({100, 100}, c.radius, c.halfWidth);
    arc.TrackCursor({c.mouseX, 400});
    EXPECT_EQ(arc.GetX(), c.x);
    EXPECT_EQ(arc.GetY(), c.y);
    EXPECT_EQ(arc.GetAngle(), c.heading);
  }
}

TEST(CircularMotionPath, WithoutADisplayThePointStays) {
  CircularMotionPath arc;
  arc.Set({100, 100}, 50, 40);
  arc.TrackCursor({120, 0});
  arc.TrackCursor();
  EXPECT_EQ(arc.GetX(), 120);
  EXPECT_EQ(arc.GetY(), 54);
}

TEST(AngularMotionPath, TakesHeadingsWithinTheCircleAndTellsLeftFromRight) {
  AngularMotionPath path;
  EXPECT_EQ(path.GetHeading(), 0);
  const struct {
    int32_t set;
    int32_t heading;
    int32_t direction;
  } cases[] = {
      {90, 90, 1},   {91, 91, -1},   {269, 269, -1}, {270, 270, 1},  {0, 0, 1},
      {360, 360, 1}, {180, 180, -1}, {-1, 180, -1},  {361, 180, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set);
    path.SetAngle(c.set);
    EXPECT_EQ(path.GetHeading(), c.heading);
    EXPECT_EQ(path.GetHorizontalDirection(), c.direction);
  }
}

TEST(AngularMotionPath, StepsItsSpeedPerCallAlongTheHeading) {
  const struct {
    int32_t heading;
    float speed;
    int32_t steps;
    int32_t x, y;
  } cases[] = {
      {0, 4.0f, 1, 104, 100},   {90, 4.0f, 3, 100, 112}, {180, 2.5f, 2, 95, 100},
      {270, 4.0f, 1, 100, 96},  // the float position drops the hair below 0 that cos 270 gives
      {45, 10.0f, 1, 107, 107},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("heading " + std::to_string(c.heading));
    AngularMotionPath path;
    path.SetPosition(100.0f, 100.0f);
    path.SetSpeed(c.speed);
    path.SetAngle(c.heading);
    for (int32_t i = 0; i < c.steps; ++i) path.Step();
    EXPECT_EQ(path.GetX(), c.x);
    EXPECT_EQ(path.GetY(), c.y);
  }
  AngularMotionPath path;
  path.SetPosition(-0.5f, 0.9f);
  EXPECT_EQ(path.GetX(), 0);  // truncated toward zero
  EXPECT_EQ(path.GetY(), 0);
}

TEST_F(TimedPath, MovesAtItsSpeedPerSecondOnTheGameClockAtMostTwentyPixelsAStep) {
  const struct {
    int32_t heading;
    float speed;
    uint32_t ms;
    int32_t x, y;
  } cases[] = {
      {0, 4000.0f, 10, 20, 0},  // 40 pixels, held at 20
      {0, 1000.0f, 10, 10, 0}, {180, 4000.0f, 10, -20, 0},
      {90, 500.0f, 30, 0, 15}, {0, 4000.0f, 0, 0, 0},  // no time, no move
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("heading " + std::to_string(c.heading) + " speed " + std::to_string(c.speed));
    AngularMotionPath path;
    path.SetTimeBased(true);
    path.SetSpeed(c.speed);
    path.SetAngle(c.heading);
    path.Step();  // takes the time only
    EXPECT_EQ(path.GetX(), 0);
    Advance(c.ms);
    path.Step();
    EXPECT_EQ(path.GetX(), c.x);
    EXPECT_EQ(path.GetY(), c.y);
  }
}

TEST_F(TimedPath, AResetStepClockAndAPausedGameMoveNothing) {
  AngularMotionPath path;
  path.SetTimeBased(true);
  path.SetSpeed(1000.0f);
  path.Step();
  Advance(10);
  path.Step();
  EXPECT_EQ(path.GetX(), 10);
  path.ResetStepClock();
  Advance(10);
  path.Step();
  EXPECT_EQ(path.GetX(), 10);
  GameClock::Instance().Pause(true);
  Advance(10);
  path.Step();
  EXPECT_EQ(path.GetX(), 10);
  GameClock::Instance().Pause(false);
  Advance(5);
  path.Step();
  EXPECT_EQ(path.GetX(), 15);
  // A game clock set back gives a negative elapsed time: nothing moves until it passes the step.
  GameClock::Instance().SetTime(0);
  path.Step();
  EXPECT_EQ(path.GetX(), 15);
}

TEST(LimitingAngledMotionPath, TurnsBackOutsideItsLimitsAndStepsEitherWay) {
  const struct {
    int32_t minX, maxX;
    int32_t heading;
    int32_t objectX;
    bool turned;
    int32_t newHeading;
    int32_t x;
  } cases[] = {
      {0, 800, 0, 400, false, 0, 104},    {0, 800, 0, 0, false, 0, 104},
      {0, 800, 0, 800, false, 0, 104},    {0, 800, 0, 801, true, 180, 96},
      {0, 800, 180, -1, true, 0, 104},    {0, 800, 360, 900, true, 180, 96},
      {375, 425, 180, 374, true, 0, 104}, {375, 425, 180, 400, false, 180, 96},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("limits " + std::to_string(c.minX) + ".." + std::to_string(c.maxX) + " object x " +
                 std::to_string(c.objectX));
    LimitingAngledMotionPath path;
    if (c.minX != 0 || c.maxX != 800) path.SetLimits(c.minX, c.maxX);
    path.SetPosition(100.0f, 100.0f);
    path.SetAngle(c.heading);
    EXPECT_EQ(path.StepWithinLimits({c.objectX, -12345}), c.turned);
    EXPECT_EQ(path.GetHeading(), c.newHeading);
    EXPECT_EQ(path.GetX(), c.x);
  }
}
