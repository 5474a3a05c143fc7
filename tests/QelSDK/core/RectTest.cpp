// Screen rectangles: extents, emptiness, union, inclusive containment and intersection.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/Rect.h"

using Qel::Point2;
using Qel::Rect;

TEST(Rect, EdgesExtentsAndMoves) {
  Rect r(Point2(1, 2), Point2(11, 7));
  EXPECT_EQ(r, Rect(1, 2, 11, 7));
  EXPECT_EQ(r.Width(), 10);
  EXPECT_EQ(r.Height(), 5);
  EXPECT_EQ(Rect(5, 5, 2, 1).Width(), -3);
  EXPECT_EQ(Rect(5, 5, 2, 1).Height(), -4);

  r.SetWidth(4);
  r.SetHeight(-1);
  EXPECT_EQ(r, Rect(1, 2, 5, 1));

  // Moving hands back a copy; the rectangle itself moves.
  Rect moved = (r += Point2(10, 20));
  EXPECT_EQ(r, Rect(11, 22, 15, 21));
  moved -= Point2(100, 100);
  EXPECT_EQ(r, Rect(11, 22, 15, 21));
  EXPECT_EQ(r -= Point2(10, 20), Rect(1, 2, 5, 1));

  r.Collapse();
  EXPECT_EQ(r, Rect(1, 2, 1, 2));
  r.Clear();
  EXPECT_EQ(r, Rect());
  for (const Rect& other : {Rect(9, 2, 5, 1), Rect(1, 9, 5, 1), Rect(1, 2, 9, 1), Rect(1, 2, 5, 9)}) {
    EXPECT_TRUE(Rect(1, 2, 5, 1) != other);
  }
}

TEST(Rect, ExtentsAndMovesWrapAt32Bits) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(Rect(kMin, kMin, kMax, kMax).Width(), -1);
  EXPECT_EQ(Rect(kMax, 0, kMin, 0).Width(), 1);
  Rect r(kMax, 0, kMax, kMax);
  r += Point2(1, 1);
  EXPECT_EQ(r, Rect(kMin, 1, kMin, kMin));
  r.SetWidth(-1);
  EXPECT_EQ(r.Right(), kMax);
}

TEST(Rect, EmptyNeedsBothExtentsZero) {
  EXPECT_TRUE(Rect().IsEmpty());
  EXPECT_TRUE(Rect(3, 4, 3, 4).IsEmpty());
  EXPECT_FALSE(Rect(5, 5, 5, 9).IsEmpty());
  EXPECT_FALSE(Rect(5, 5, 9, 5).IsEmpty());
}

TEST(Rect, Union) {
  struct Case {
    const char* name;
    Rect a, b, expected;
  };
  const Case cases[] = {
      {"overlapping", {0, 0, 10, 10}, {5, -5, 20, 8}, {0, -5, 20, 10}},
      {"empty takes the other whole", {3, 3, 3, 3}, {10, 10, 20, 20}, {10, 10, 20, 20}},
      {"a line is not empty and keeps its far edges", {5, 5, 5, 9}, {0, 0, 2, 2}, {0, 0, 5, 9}},
      {"an empty other still stretches", {0, 0, 10, 10}, {50, 60, 50, 60}, {0, 0, 50, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rect r = c.a;
    EXPECT_EQ(&(r |= c.b), &r);
    EXPECT_EQ(r, c.expected);
  }
}

TEST(Rect, ContainmentIncludesAllFourEdges) {
  const Rect r(0, 0, 10, 10);
  struct Case {
    Point2 p;
    bool inside;
  };
  const Case cases[] = {
      {{0, 0}, true},   {{10, 10}, true}, {{10, 0}, true},  {{0, 10}, true},  {{5, 5}, true},
      {{-1, 5}, false}, {{11, 5}, false}, {{5, -1}, false}, {{5, 11}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(r.Contains(c.p), c.inside) << c.p.X() << "," << c.p.Y();
  }
}

TEST(Rect, IntersectionCollapsesUnlessStrictlyPositive) {
  struct Case {
    const char* name;
    Rect a, b, expected;
  };
  const Case cases[] = {
      {"overlap", {0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}},
      {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
      {"touching side", {0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 0}},
      {"touching bottom", {0, 0, 10, 10}, {0, 10, 10, 20}, {0, 10, 0, 10}},
      {"apart", {0, 0, 10, 10}, {20, 30, 40, 50}, {20, 30, 20, 30}},
      {"one-pixel overlap", {0, 0, 10, 10}, {9, 9, 20, 20}, {9, 9, 10, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.a & c.b, c.expected);
    EXPECT_EQ(c.b & c.a, c.expected);
    // The result may be written over either input.
    Rect a = c.a;
    Rect::Intersect(a, c.b, a);
    EXPECT_EQ(a, c.expected);
  }
  EXPECT_TRUE((Rect(0, 0, 10, 10) & Rect(10, 0, 20, 10)).IsEmpty());
}
