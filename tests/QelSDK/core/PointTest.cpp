// Two- and three-dimensional points: arithmetic, comparison and 32-bit wrap-around.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/Point2.h"
#include "core/Point3.h"

using Qel::Point2;
using Qel::Point3;

namespace {
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
}  // namespace

TEST(Point, ArithmeticIsComponentWise) {
  Point2 p(3, -4);
  EXPECT_EQ(&(p += Point2(10, 20)), &p);
  EXPECT_EQ(p, Point2(13, 16));
  EXPECT_EQ(&(p -= Point2(1, 1)), &p);
  EXPECT_EQ(p, Point2(12, 15));
  EXPECT_EQ(Point2(1, 2) + Point2(3, 4), Point2(4, 6));
  EXPECT_EQ(Point2(1, 2) - Point2(3, 5), Point2(-2, -3));
  EXPECT_EQ(Point2(), Point2(0, 0));

  Point3 q(Point2(7, 8), 9);
  EXPECT_EQ(q, Point3(7, 8, 9));
  q += Point3(1, 1, 1);
  q -= Point3(0, 2, 4);
  EXPECT_EQ(q, Point3(8, 7, 6));
  EXPECT_EQ(Point3(1, 2, 3) + Point3(1, 1, 1) - Point3(0, 0, 5), Point3(2, 3, -1));
  for (const Point3& other : {Point3(0, 2, 3), Point3(1, 0, 3), Point3(1, 2, 0)}) {
    EXPECT_TRUE(Point3(1, 2, 3) != other);
    EXPECT_FALSE(Point3(1, 2, 3) == other);
  }
}

TEST(Point, SumsAndDifferencesWrapAt32Bits) {
  EXPECT_EQ(Point2(kMax, kMin) + Point2(1, -1), Point2(kMin, kMax));
  EXPECT_EQ(Point2(kMin, kMax) - Point2(1, -1), Point2(kMax, kMin));
  Point3 q(kMax, kMin, kMax);
  q += Point3(kMax, kMin, 1);
  EXPECT_EQ(q, Point3(-2, 0, kMin));
  q -= Point3(kMax, 1, kMin);
  EXPECT_EQ(q, Point3(kMax, -1, 0));
}
