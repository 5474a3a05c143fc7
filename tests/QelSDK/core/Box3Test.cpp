// Scene boxes: extents, half-open containment, union and the face-sharing intersection.
#include <gtest/gtest.h>

#include "core/Box3.h"

using Qel::Box3;
using Qel::Point3;
using Qel::Rect;

TEST(Box3, ExtentsMovesAndConversion) {
  Box3 box(1, 2, 3, 11, 22, 33);
  EXPECT_EQ(box.Width(), 10);
  EXPECT_EQ(box.Height(), 20);
  EXPECT_EQ(box.Depth(), 30);
  EXPECT_EQ(box.Min(), Point3(1, 2, 3));
  EXPECT_EQ(box.Max(), Point3(11, 22, 33));
  EXPECT_EQ(box.ToRect(), Rect(1, 2, 11, 22));

  EXPECT_EQ(box - Point3(1, 2, 3), Box3(0, 0, 0, 10, 20, 30));
  EXPECT_EQ(box, Box3(1, 2, 3, 11, 22, 33));
  EXPECT_EQ(&(box += Point3(1, 1, 1)), &box);
  EXPECT_EQ(box, Box3(2, 3, 4, 12, 23, 34));
  EXPECT_EQ(&(box -= Point3(2, 3, 4)), &box);
  EXPECT_EQ(box, Box3(0, 0, 0, 10, 20, 30));

  box.Collapse();
  EXPECT_EQ(box, Box3());
  EXPECT_TRUE(box.IsEmpty());
  box.Set(-1, -2, -3, 4, 5, 6);
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_FALSE(Box3(0, 0, 0, 0, 0, 1).IsEmpty());
  box.Clear();
  EXPECT_EQ(box, Box3());
  EXPECT_FALSE(Box3(0, 0, 0, 1, 1, 1) == Box3(0, 0, 0, 1, 1, 2));
}

TEST(Box3, ContainmentIsHalfOpen) {
  const Box3 box(0, 0, 0, 10, 10, 10);
  struct Case {
    Point3 p;
    bool inside;
  };
  const Case cases[] = {
      {{0, 0, 0}, true},   {{9, 9, 9}, true},   {{10, 10, 5}, false}, {{10, 5, 5}, false},
      {{5, 10, 5}, false}, {{5, 5, 10}, false}, {{-1, 5, 5}, false},  {{5, 5, -1}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(box.Contains(c.p), c.inside) << c.p.X() << "," << c.p.Y() << "," << c.p.Z();
  }
}

TEST(Box3, Union) {
  struct Case {
    const char* name;
    Box3 a, b, expected;
  };
  const Case cases[] = {
      {"overlapping", {0, 0, 0, 10, 10, 10}, {5, -5, 2, 20, 8, 30}, {0, -5, 0, 20, 10, 30}},
      {"empty takes the other whole", {4, 4, 4, 4, 4, 4}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
      {"an empty other still stretches", {0, 0, 0, 1, 1, 1}, {9, 9, 9, 9, 9, 9}, {0, 0, 0, 9, 9, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Box3 box = c.a;
    EXPECT_EQ(&(box |= c.b), &box);
    EXPECT_EQ(box, c.expected);
  }
}

TEST(Box3, IntersectionAllowsZeroExtents) {
  struct Case {
    const char* name;
    Box3 a, b, expected;
    bool empty;
  };
  const Case cases[] = {
      {"overlap", {0, 0, 0, 10, 10, 10}, {5, 5, 5, 15, 15, 15}, {5, 5, 5, 10, 10, 10}, false},
      {"sharing a face is flat, not collapsed",
       {0, 0, 0, 10, 10, 1},
       {10, 0, 0, 20, 10, 1},
       {10, 0, 0, 10, 10, 1},
       false},
      {"meeting at a corner point",
       {0, 0, 0, 10, 10, 10},
       {10, 10, 10, 20, 20, 20},
       {10, 10, 10, 10, 10, 10},
       true},
      {"apart in x collapses", {0, 0, 0, 10, 10, 10}, {20, 0, 0, 30, 10, 10}, {20, 0, 0, 20, 0, 0}, true},
      {"apart in z collapses", {0, 0, 0, 10, 10, 10}, {0, 0, 11, 10, 10, 12}, {0, 0, 11, 0, 0, 11}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Box3 result = c.a & c.b;
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(result.IsEmpty(), c.empty);
    EXPECT_EQ(c.b & c.a, c.expected);
    Box3 b = c.b;
    Box3::Intersect(c.a, b, b);
    EXPECT_EQ(b, c.expected);
  }
  EXPECT_EQ((Box3(0, 0, 0, 10, 10, 1) & Box3(10, 0, 0, 20, 10, 1)).Width(), 0);
}
