// The deflecting rectangle and circle: the mirrored headings, the bands that keep a ball off a side,
// contacts beyond the circle or on a circle of radius 0, and the points where a bounced ball is put.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "framework/TzDeflectingRect.h"
#include "framework/TzDeflectingSphere.h"
#include "framework/TzRect.h"
#include "platform/win/kernel/Random.h"

namespace {

// The codes SetWithSide takes, in the order of the sides they choose: 90, 270, 180, 360.
constexpr int32_t kSideCodes[] = {0, 1, 2, 3};

TzDeflectingRect RectWithSide(int32_t code) {
  TzDeflectingRect rect;
  rect.SetWithSide({100, 100}, {200, 50}, code);
  return rect;
}

int32_t DegreesApart(int32_t a, int32_t b) {
  const int32_t d = ((a - b) % 360 + 360) % 360;
  return std::min(d, 360 - d);
}

// What the callers need of a deflected heading: within 0..360, leaving the side at least 6 degrees
// off its surface, and for the left and right sides at least 7 degrees off the normal.
testing::AssertionResult LeavesSide(int32_t side, int32_t heading) {
  if (heading < 0 || heading > 360) return testing::AssertionFailure() << heading << " is outside 0..360";
  const int32_t offNormal = DegreesApart(heading, side);
  if (offNormal > 84) return testing::AssertionFailure() << heading << " does not leave side " << side;
  if ((side == 180 || side == 360) && offNormal < 7)
    return testing::AssertionFailure() << heading << " runs along the normal of side " << side;
  return testing::AssertionSuccess();
}

}  // namespace

TEST(TzRect, HoldsOnlyPointsStrictlyInside) {
  TzRect rect;
  EXPECT_TRUE(rect.Set({10, 20}, {30, 40}));
  const struct {
    Qel::Point2 point;
    bool inside;
  } cases[] = {
      {{11, 21}, true},  {{39, 59}, true},  {{25, 40}, true},  {{10, 40}, false}, {{40, 40}, false},
      {{25, 20}, false}, {{25, 60}, false}, {{10, 20}, false}, {{40, 60}, false}, {{0, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.point.X()) + ", " + std::to_string(c.point.Y()));
    EXPECT_EQ(rect.Contains(c.point), c.inside);
  }
  TzRect empty;
  EXPECT_FALSE(empty.Contains({0, 0}));
  // The far edges are not wrapped round past int32's end.
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  rect.Set({kMax - 10, kMax - 10}, {100, 100});
  EXPECT_TRUE(rect.Contains({kMax - 5, kMax - 5}));
  EXPECT_FALSE(rect.Contains({0, 0}));
}

TEST(TzDeflectingRect, SideCodesAndEdgePoints) {
  TzDeflectingRect rect;
  EXPECT_EQ(rect.GetEdgePoint({150, 120}), Qel::Point2(150, 120));  // no side yet
  const struct {
    int32_t code;
    int32_t side;
    Qel::Point2 edge;
  } cases[] = {
      {0, 90, {150, 150}},   {1, 270, {150, 100}}, {2, 180, {100, 120}},
      {3, 360, {300, 120}},  {4, 360, {300, 120}},  // an unknown code keeps the side
      {-1, 360, {300, 120}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    EXPECT_TRUE(rect.SetWithSide({100, 100}, {200, 50}, c.code));
    EXPECT_EQ(rect.GetSide(), c.side);
    EXPECT_EQ(rect.GetEdgePoint({150, 120}), c.edge);
    EXPECT_TRUE(rect.Contains({150, 120}));
    EXPECT_FALSE(rect.Contains({100, 120}));
  }
}

TEST(TzDeflectingRect, MirrorsAndKeepsTheHeadingOffTheSide) {
  const struct {
    int32_t code;
    int32_t heading;
    int32_t offset;
    int32_t out;
  } cases[] = {
      // The right side: a ball arriving at 180 mirrors to 0, which is then moved 7 off the normal;
      // mirrored 3 becomes 7 and 356 becomes 353.
      {3, 180, 0, 7},
      {3, 177, 0, 7},
      {3, 184, 0, 353},
      {3, 150, 0, 30},
      {3, 150, 5, 35},
      {3, 0, 0, 276},   // straight into the side: the band's far end
      {3, 180, -4, 7},  // the offset's -4 and 364 stay on the side's right too
      {3, 181, 5, 353},
      // The left side: mirrored 179 lies between 173 and 187 and is nearer 173.
      {2, 1, 0, 173},
      {2, 0, 0, 187},
      {2, 30, 0, 150},
      {2, 300, 5, 245},
      {2, 270, -4, 264},  // 266 would run into the side
      // The bottom side: taken without wrapping, -3 would be refused as a heading and 185 would run
      // back into the side.
      {0, 0, -3, 6},
      {0, 180, 5, 174},
      {0, 300, 0, 60},
      {0, 270, 0, 90},
      // The top side.
      {1, 1, 5, 354},
      {1, 180, 5, 186},
      {1, 60, 0, 300},
      {1, 90, 0, 270},
  };
  for (const auto& c : cases) {
    const TzDeflectingRect rect = RectWithSide(c.code);
    SCOPED_TRACE("side " + std::to_string(rect.GetSide()) + " heading " + std::to_string(c.heading) +
                 " offset " + std::to_string(c.offset));
    EXPECT_EQ(rect.DeflectWithOffset(c.heading, c.offset), c.out);
  }
}

TEST(TzDeflectingRect, AHeadingOutsideTheCircleGivesZeroWithoutADraw) {
  for (const int32_t heading :
       {-1, 361, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
    SCOPED_TRACE(heading);
    TzDeflectingRect rect = RectWithSide(2);
    plat::win::srand(7);
    EXPECT_EQ(rect.Deflect(heading), 0);
    const int first = plat::win::rand();
    plat::win::srand(7);
    EXPECT_EQ(first, plat::win::rand());
  }
}

TEST(TzDeflectingRect, EveryDrawGivesAnOffsetOfMinusFourToFive) {
  EXPECT_EQ(TzDeflectingRect::OffsetFromDraw(0), -4);
  EXPECT_EQ(TzDeflectingRect::OffsetFromDraw(16384), 0);
  EXPECT_EQ(TzDeflectingRect::OffsetFromDraw(plat::win::RAND_MAX_15), 5);
  int32_t seen[10] = {};
  for (int32_t draw = 0; draw <= plat::win::RAND_MAX_15; ++draw) {
    const int32_t offset = TzDeflectingRect::OffsetFromDraw(draw);
    ASSERT_GE(offset, -4);
    ASSERT_LE(offset, 5);
    ++seen[offset + 4];
  }
  for (const int32_t count : seen) EXPECT_GT(count, 0);
}

TEST(TzDeflectingRect, EveryDeflectedHeadingLeavesItsSide) {
  for (const int32_t code : kSideCodes) {
    const TzDeflectingRect rect = RectWithSide(code);
    for (int32_t heading = 0; heading <= 360; ++heading) {
      for (int32_t offset = -4; offset <= 5; ++offset) {
        ASSERT_TRUE(LeavesSide(rect.GetSide(), rect.DeflectWithOffset(heading, offset)))
            << "heading " << heading << " offset " << offset;
      }
      // Offsets no draw gives neither overflow nor break the bands.
      for (const int32_t offset :
           {-1000, 1000, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        ASSERT_TRUE(LeavesSide(rect.GetSide(), rect.DeflectWithOffset(heading, offset)))
            << "heading " << heading << " offset " << offset;
      }
    }
  }
  // And through the random draw itself.
  plat::win::srand(1234);
  for (const int32_t code : kSideCodes) {
    TzDeflectingRect rect = RectWithSide(code);
    for (int round = 0; round < 20; ++round) {
      for (int32_t heading = 0; heading <= 360; ++heading) {
        ASSERT_TRUE(LeavesSide(rect.GetSide(), rect.Deflect(heading))) << "heading " << heading;
      }
    }
  }
}

TEST(TzDeflectingRect, WithoutASideTheHeadingStaysWithinTheCircle) {
  const TzDeflectingRect rect;
  for (int32_t heading = 0; heading <= 360; ++heading) {
    for (int32_t offset = -4; offset <= 5; ++offset) {
      const int32_t out = rect.DeflectWithOffset(heading, offset);
      ASSERT_GE(out, 0) << heading;
      ASSERT_LE(out, 359) << heading;
    }
  }
}

TEST(TzDeflectingSphere, ContainsAndHitsOnlyWithinTheRadius) {
  TzDeflectingSphere sphere;
  EXPECT_TRUE(sphere.Set({100, 100}, 10.0f));
  const struct {
    Qel::Point2 point;
    bool inside;
    bool hit;
  } cases[] = {
      {{100, 95}, true, true},   {{100, 105}, true, false}, {{100, 100}, true, false},
      {{105, 108}, true, false}, {{105, 92}, true, true},   {{110, 100}, false, false},
      {{106, 92}, false, false},  // exactly at the radius
      {{100, 89}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.point.X()) + ", " + std::to_string(c.point.Y()));
    EXPECT_EQ(sphere.Contains(c.point), c.inside);
    EXPECT_EQ(sphere.TestHit(c.point), c.hit);
  }
  for (const float radius : {0.0f, -10.0f, std::numeric_limits<float>::quiet_NaN()}) {
    SCOPED_TRACE(radius);
    sphere.Set({100, 100}, radius);
    EXPECT_FALSE(sphere.Contains({100, 100}));
    EXPECT_FALSE(sphere.TestHit({100, 99}));
  }
}

TEST(TzDeflectingSphere, MirrorsAtTheContactAndSendsBackWhatMissesTheCircle) {
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float radius;
    int32_t heading, x, y;
    int32_t out, normal;
  } cases[] = {
      {10.0f, 90, 100, 90, 270, 90},    // straight down onto the top
      {10.0f, 270, 100, 110, 90, 90},   // straight up onto the bottom
      {10.0f, 135, 105, 95, 285, 120},  // above, right of the centre
      {10.0f, 225, 105, 105, 75, 60},   // below, right of the centre
      {10.0f, 180, 108, 100, 72, 216},  // on the horizontal through the centre
      {10.0f, 0, 108, 100, 252, 216},   // there the mirror would be -108
      {10.0f, 360, 100, 90, 0, 90},
      {10.0f, 10, 130, 90, 190, 10},   // contact beyond the circle: straight back
      {10.0f, 10, 110, 90, 170, 180},  // at the radius the cosine is still 1
      {0.0f, 45, 105, 100, 225, 45},   // a circle of radius 0
      {0.0f, 45, 100, 100, 315, 270},  // ... with the contact on its centre
      {kNaN, 100, 105, 95, 280, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("radius " + std::to_string(c.radius) + " heading " + std::to_string(c.heading) + " at " +
                 std::to_string(c.x) + ", " + std::to_string(c.y));
    TzDeflectingSphere sphere;
    sphere.Set({100, 100}, c.radius);
    int32_t normal = -1;
    EXPECT_EQ(sphere.Deflect(c.heading, c.x, c.y, normal), c.out);
    EXPECT_EQ(normal, c.normal);
  }
}

TEST(TzDeflectingSphere, EveryDeflectedHeadingAndNormalLiesWithinTheCircle) {
  for (const float radius : {10.0f, 0.0f, 0.5f, std::numeric_limits<float>::infinity()}) {
    TzDeflectingSphere sphere;
    sphere.Set({100, 100}, radius);
    for (int32_t x = 80; x <= 120; x += 2) {
      for (int32_t y = 80; y <= 120; y += 5) {
        for (int32_t heading = 0; heading <= 360; ++heading) {
          int32_t normal = -1;
          const int32_t out = sphere.Deflect(heading, x, y, normal);
          ASSERT_TRUE(out >= 0 && out < 360 && normal >= 0 && normal < 360)
              << "radius " << radius << " at " << x << ", " << y << " heading " << heading << ": " << out
              << ", " << normal;
        }
      }
    }
  }
  // Headings nobody should pass neither overflow nor leave the circle.
  TzDeflectingSphere sphere;
  sphere.Set({100, 100}, 10.0f);
  int32_t normal = 0;
  for (const int32_t heading :
       {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), -90}) {
    const int32_t out = sphere.Deflect(heading, 100, 90, normal);
    EXPECT_TRUE(out >= 0 && out < 360) << heading << ": " << out;
  }
}

TEST(TzDeflectingSphere, PointsAroundTheCircleAreClearOfItAndWithinTheBounds) {
  const struct {
    Qel::Point2 center;
    float radius;
    int32_t degrees;
    Qel::Point2 point;
  } cases[] = {
      {{100, 100}, 10.0f, 0, {113, 102}},
      {{100, 100}, 10.0f, 90, {103, 112}},
      {{100, 100}, 10.0f, 180, {87, 102}},
      // With pi as 3.1415926535 the cosine at 270 is a hair below 0, so x is pushed left.
      {{100, 100}, 10.0f, 270, {96, 88}},
      {{100, 100}, 10.0f, 45, {110, 109}},
      {{5, 5}, 10.0f, 180, {0, 7}},         // clamped at the left
      {{795, 595}, 10.0f, 45, {800, 600}},  // and at the right and bottom
      {{100, 100}, 0.0f, 0, {103, 102}},
      {{100, 100}, std::numeric_limits<float>::quiet_NaN(), 0, {0, 0}},
      {{100, 100}, std::numeric_limits<float>::infinity(), 0, {800, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("radius " + std::to_string(c.radius) + " at " + std::to_string(c.degrees));
    TzDeflectingSphere sphere;
    sphere.Set(c.center, c.radius);
    EXPECT_EQ(sphere.GetPointAtAngle(c.degrees), c.point);
    EXPECT_EQ(sphere.GetCenter(), c.center);
  }
  TzDeflectingSphere sphere;
  sphere.Set({45, 45}, 10.0f);
  sphere.SetBounds(10, 20, 50, 50);
  EXPECT_EQ(sphere.GetPointAtAngle(0), Qel::Point2(50, 47));
  EXPECT_EQ(sphere.GetPointAtAngle(270), Qel::Point2(41, 33));
}

TEST(TzDeflectingSphere, TopLeftIsTruncatedTowardZero) {
  const struct {
    Qel::Point2 center;
    float radius;
    Qel::Point2 topLeft;
  } cases[] = {
      {{100, 100}, 10.5f, {89, 89}},
      {{5, 5}, 10.5f, {-5, -5}},
      {{100, 50}, 0.0f, {100, 50}},
      {{100, 50}, std::numeric_limits<float>::quiet_NaN(), {0, 0}},
      {{100, 50},
       std::numeric_limits<float>::infinity(),
       {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radius);
    TzDeflectingSphere sphere;
    sphere.Set(c.center, c.radius);
    EXPECT_EQ(sphere.GetTopLeft(), c.topLeft);
  }
}
