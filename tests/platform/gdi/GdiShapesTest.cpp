// Pixels of the shapes the display's primitives draw: lines, rectangles, fills, ellipses, polygons.
#include <gtest/gtest.h>

#include <chrono>

#include "GdiCanvas.h"

namespace {

using namespace gditest;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr uint32_t kRedPixel = 0xFF0000;  // blue, green, red, unused in memory
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr uint32_t kBluePixel = 0x0000FF;

// A pen and a brush selected for the test's lifetime.
struct Tools {
  HDC dc;
  HPEN pen;
  HBRUSH brush;
  HGDIOBJ oldPen;
  HGDIOBJ oldBrush;
  Tools(HDC context, int style, int width, COLORREF ink, COLORREF paint)
      : dc(context), pen(CreatePen(style, width, ink)), brush(CreateSolidBrush(paint)) {
    oldPen = SelectObject(dc, pen);
    oldBrush = SelectObject(dc, brush);
  }
  ~Tools() {
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }
};

TEST(GdiShapes, ColoursAreStoredBlueGreenRedInMemory) {
  Canvas canvas(2, 1);
  ASSERT_TRUE(canvas.Ready());
  Tools tools(canvas.Dc(), PS_SOLID, 1, RGB(0x12, 0x34, 0x56), 0);
  const POINT line[] = {{0, 0}, {2, 0}};
  ASSERT_TRUE(Polyline(canvas.Dc(), line, 2));
  EXPECT_EQ(canvas.At(0, 0), 0x123456u);
}

TEST(GdiShapes, PolylineLeavesOutItsLastPointAndDrawsEveryJoint) {
  Canvas canvas(6, 5);
  Tools tools(canvas.Dc(), PS_SOLID, 1, kRed, kBlue);
  const POINT points[] = {{0, 0}, {4, 0}, {4, 4}, {1, 1}};
  ASSERT_TRUE(Polyline(canvas.Dc(), points, 4));
  EXPECT_EQ(canvas.Picture(kRedPixel), Rows({
                                           "#####.",
                                           "....#.",
                                           "..#.#.",
                                           "...##.",
                                           "....#.",
                                       }));
}

TEST(GdiShapes, PolylineRefusesFewerThanTwoPoints) {
  Canvas canvas(3, 3);
  Tools tools(canvas.Dc(), PS_SOLID, 1, kRed, kBlue);
  const POINT one[] = {{1, 1}};
  EXPECT_FALSE(Polyline(canvas.Dc(), one, 1));
  EXPECT_FALSE(Polyline(canvas.Dc(), nullptr, 2));
  EXPECT_FALSE(Polyline(nullptr, one, 1));
  EXPECT_EQ(canvas.Count(0), 9);
}

TEST(GdiShapes, RectangleOutlinesItsOuterPixelsAndFillsTheRest) {
  Canvas canvas(6, 5);
  Tools tools(canvas.Dc(), PS_SOLID, 1, kRed, kBlue);
  ASSERT_TRUE(Rectangle(canvas.Dc(), 1, 1, 5, 5));
  std::string picture;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const uint32_t p = canvas.At(x, y);
      picture += p == 0 ? '.' : p == kRedPixel ? 'o' : p == kBluePixel ? 'f' : '?';
    }
    picture += '\n';
  }
  EXPECT_EQ(picture, Rows({
                         "......",
                         ".oooo.",
                         ".offo.",
                         ".offo.",
                         ".oooo.",
                     }));
}

TEST(GdiShapes, FillRectCoversLeftToRightMinusOneAndClipsAtTheEdges) {
  Canvas canvas(5, 4);
  HBRUSH brush = CreateSolidBrush(kRed);
  const RECT inside{1, 1, 3, 3};
  EXPECT_EQ(FillRect(canvas.Dc(), &inside, brush), 1);
  EXPECT_EQ(canvas.Picture(kRedPixel), Rows({".....", ".##..", ".##..", "....."}));
  const RECT beyond{-100, 2, 100, 100};
  EXPECT_EQ(FillRect(canvas.Dc(), &beyond, brush), 1);
  EXPECT_EQ(canvas.Picture(kRedPixel), Rows({".....", ".##..", "#####", "#####"}));
  EXPECT_EQ(FillRect(canvas.Dc(), &inside, nullptr), 0);
  DeleteObject(brush);
}

TEST(GdiShapes, EllipseIsInscribedSymmetricAndFilled) {
  constexpr int kSize = 11;
  Canvas canvas(kSize, kSize);
  Tools tools(canvas.Dc(), PS_SOLID, 1, kRed, kBlue);
  ASSERT_TRUE(Ellipse(canvas.Dc(), 0, 0, kSize, kSize));
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
      EXPECT_EQ(canvas.At(x, y), canvas.At(kSize - 1 - x, y));
      EXPECT_EQ(canvas.At(x, y), canvas.At(y, x));
    }
  }
  // It touches each side of its box at the middle and leaves the corners.
  EXPECT_EQ(canvas.At(5, 0), kRedPixel);
  EXPECT_EQ(canvas.At(0, 5), kRedPixel);
  EXPECT_EQ(canvas.At(10, 5), kRedPixel);
  EXPECT_EQ(canvas.At(0, 0), 0u);
  EXPECT_EQ(canvas.At(5, 5), kBluePixel);
  // The outline is closed: every filled pixel has the outline between it and the outside.
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (canvas.At(x, y) != kBluePixel) continue;
      const int nx[] = {x - 1, x + 1, x, x};
      const int ny[] = {y, y, y - 1, y + 1};
      for (int i = 0; i < 4; ++i) EXPECT_NE(canvas.At(nx[i], ny[i]), 0u) << x << ", " << y;
    }
  }
}

TEST(GdiShapes, PolygonFillsByTheAlternateRuleInsideItsOutline) {
  Canvas canvas(7, 7);
  Tools tools(canvas.Dc(), PS_SOLID, 1, kRed, kBlue);
  const POINT square[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}};
  ASSERT_TRUE(Polygon(canvas.Dc(), square, 4));
  EXPECT_EQ(canvas.Count(kRedPixel), 24);
  EXPECT_EQ(canvas.Count(kBluePixel), 25);
  // Two overlapping squares traced as one outline: the overlap is crossed twice and stays empty.
  Canvas twice(10, 10);
  Tools nullPen(twice.Dc(), PS_NULL, 1, kRed, kBlue);
  const POINT loops[] = {{0, 0}, {6, 0}, {6, 6}, {3, 6}, {3, 3}, {9, 3}, {9, 9}, {0, 9}};
  ASSERT_TRUE(Polygon(twice.Dc(), loops, 8));
  EXPECT_EQ(twice.At(1, 1), kBluePixel);
  EXPECT_EQ(twice.At(7, 7), kBluePixel);
  EXPECT_EQ(twice.At(4, 4), 0u);
  EXPECT_EQ(twice.Count(kRedPixel), 0);
  const POINT two[] = {{0, 0}, {1, 1}};
  EXPECT_TRUE(Polygon(twice.Dc(), two, 2));
  EXPECT_FALSE(Polygon(twice.Dc(), two, 1));
}

TEST(GdiShapes, WidePensCentreOnTheLine) {
  Canvas canvas(7, 5);
  Tools tools(canvas.Dc(), PS_SOLID, 3, kRed, kBlue);
  const POINT line[] = {{1, 2}, {6, 2}};
  ASSERT_TRUE(Polyline(canvas.Dc(), line, 2));
  EXPECT_EQ(canvas.Picture(kRedPixel), Rows({
                                           ".......",
                                           "#######",
                                           "#######",
                                           "#######",
                                           ".......",
                                       }));
}

TEST(GdiShapes, ANullPenLeavesOnlyTheFill) {
  Canvas canvas(4, 4);
  Tools tools(canvas.Dc(), PS_NULL, 1, kRed, kBlue);
  ASSERT_TRUE(Rectangle(canvas.Dc(), 0, 0, 4, 4));
  EXPECT_EQ(canvas.Count(kBluePixel), 16);
}

TEST(GdiShapes, ShapesReachingFarOutsideAreClippedQuickly) {
  Canvas canvas(8, 8);
  Tools tools(canvas.Dc(), PS_SOLID, 2, kRed, kBlue);
  const auto start = std::chrono::steady_clock::now();
  const POINT far[] = {{-2000000000, 4}, {2000000000, 4}};
  ASSERT_TRUE(Polyline(canvas.Dc(), far, 2));
  ASSERT_TRUE(Ellipse(canvas.Dc(), -1000000000, -1000000000, 1000000000, 1000000000));
  const POINT triangle[] = {{-2000000000, -2000000000}, {2000000000, 0}, {0, 2000000000}};
  ASSERT_TRUE(Polygon(canvas.Dc(), triangle, 3));
  ASSERT_TRUE(Rectangle(canvas.Dc(), -2000000000, -2000000000, 2000000000, 2000000000));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(canvas.Count(kBluePixel), 64);
}

TEST(GdiShapes, DrawingWithTheStockBitmapTouchesNoCaller) {
  HDC dc = CreateCompatibleDC(nullptr);
  const POINT line[] = {{-5, 0}, {5, 0}};
  EXPECT_TRUE(Polyline(dc, line, 2));
  EXPECT_TRUE(Ellipse(dc, 0, 0, 10, 10));
  DeleteDC(dc);
}

}  // namespace
