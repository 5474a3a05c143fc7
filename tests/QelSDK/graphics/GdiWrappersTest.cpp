// The GDI wrappers: each owns its handle, and a context draws the display's shapes through them.
#include <gtest/gtest.h>

#include "graphics/WinBrush.h"
#include "graphics/WinDC.h"
#include "graphics/WinDibSection.h"
#include "graphics/WinGdiObject.h"
#include "graphics/WinPen.h"
#include "graphics/WinSelectGuard.h"

namespace {

bool Alive(plat::gdi::HGDIOBJ object) {
  return plat::gdi::GetObjectA(object, 0, nullptr) != 0;
}

TEST(GdiWrappers, AContextlessDcDrawsNothingAndAnswersZero) {
  Qel::WinDC dc;
  const plat::gdi::POINT points[] = {{0, 0}, {4, 4}, {0, 4}};
  const plat::gdi::RECT rect{0, 0, 2, 2};
  EXPECT_EQ(dc.Polyline(points, 3), 0);
  EXPECT_EQ(dc.Polygon(points, 3), 0);
  EXPECT_EQ(dc.Ellipse(0, 0, 4, 4), 0);
  EXPECT_EQ(dc.Rectangle(0, 0, 4, 4), 0);
  EXPECT_EQ(dc.FillRect(&rect, nullptr), 0);
  EXPECT_TRUE(dc.Delete());
}

TEST(GdiWrappers, ADibSectionReadsItsSizeBackAndIsDeletedWithItsHolder) {
  Qel::WinDC dc;
  ASSERT_TRUE(dc.CreateCompatible(nullptr));
  plat::gdi::HGDIOBJ first = nullptr;
  {
    Qel::WinDibSection dib;
    EXPECT_EQ(dib.GetWidth(), 0);
    EXPECT_EQ(dib.GetBits(), nullptr);
    ASSERT_TRUE(dib.Create(dc.GetHandle(), 7, 3, 32));
    EXPECT_EQ(dib.GetWidth(), 7);
    EXPECT_EQ(dib.GetHeight(), 3);
    EXPECT_NE(dib.GetBits(), nullptr);
    first = dib.GetHandle();
    ASSERT_TRUE(dib.Create(dc.GetHandle(), 2, -5, 32)) << "rows are top-down whatever the sign";
    EXPECT_FALSE(Alive(first)) << "the bitmap held before is deleted";
    EXPECT_EQ(dib.GetHeight(), 5);
    EXPECT_FALSE(dib.Create(dc.GetHandle(), 2, 2, 16));
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(dib.GetBits(), nullptr);
    ASSERT_TRUE(dib.Create(dc.GetHandle(), 1, 1, 32));
    first = dib.GetHandle();
  }
  EXPECT_FALSE(Alive(first));
}

TEST(GdiWrappers, AttachDeletesTheHeldObjectAndDetachGivesItUp) {
  Qel::WinGdiObject holder;
  EXPECT_FALSE(holder.Delete());
  Qel::WinBrush brush;
  ASSERT_TRUE(brush.CreateSolid(0x0000FF));
  plat::gdi::HGDIOBJ first = brush.Detach();
  holder.Attach(first);
  Qel::WinPen pen;
  ASSERT_TRUE(pen.Create(plat::gdi::PS_SOLID, 2, 0));
  holder.Attach(pen.Detach());
  EXPECT_FALSE(plat::gdi::DeleteObject(first)) << "attaching deleted it";
  EXPECT_TRUE(holder.Delete());
  EXPECT_FALSE(holder.IsValid());
}

TEST(GdiWrappers, TheSelectGuardPutsThePreviousObjectBack) {
  Qel::WinDC dc;
  ASSERT_TRUE(dc.CreateCompatible(nullptr));
  Qel::WinPen outer;
  Qel::WinPen inner;
  outer.Create(plat::gdi::PS_SOLID, 1, 0);
  inner.Create(plat::gdi::PS_SOLID, 1, 0);
  Qel::WinSelectGuard first(dc.GetHandle(), outer.GetHandle());
  ASSERT_TRUE(first.IsValid());
  {
    Qel::WinSelectGuard second(dc.GetHandle(), inner.GetHandle());
    EXPECT_EQ(second.GetPrevious(), outer.GetHandle());
  }
  Qel::WinSelectGuard third(dc.GetHandle(), inner.GetHandle());
  EXPECT_EQ(third.GetPrevious(), outer.GetHandle());
  Qel::WinSelectGuard refused(nullptr, inner.GetHandle());
  EXPECT_FALSE(refused.IsValid());
}

// The display's primitives: a zero-filled box, a pen and a brush, the shape, then the pixels.
TEST(GdiWrappers, ShapesDrawnThroughTheWrappersLandInTheDib) {
  Qel::WinDC dc;
  ASSERT_TRUE(dc.CreateCompatible(nullptr));
  Qel::WinDibSection dib;
  ASSERT_TRUE(dib.Create(dc.GetHandle(), 6, 4, 32));
  Qel::WinSelectGuard bitmap(dc.GetHandle(), dib.GetHandle());
  ASSERT_TRUE(bitmap.IsValid());
  Qel::WinPen pen;
  ASSERT_TRUE(pen.Create(plat::gdi::PS_SOLID, 1, 0x0000FF));
  Qel::WinBrush brush;
  ASSERT_TRUE(brush.CreateSolid(0x00FF00));
  const auto* pixels = static_cast<const uint32_t*>(dib.GetBits());
  {
    Qel::WinSelectGuard usePen(dc.GetHandle(), pen.GetHandle());
    Qel::WinSelectGuard useBrush(dc.GetHandle(), brush.GetHandle());
    EXPECT_NE(dc.Rectangle(0, 0, 6, 4), 0);
  }
  EXPECT_EQ(pixels[0], 0xFF0000u);
  EXPECT_EQ(pixels[6 + 1], 0x00FF00u);
  const plat::gdi::RECT corner{4, 2, 6, 4};
  EXPECT_EQ(dc.FillRect(&corner, brush.GetBrush()), 1);
  EXPECT_EQ(pixels[3 * 6 + 5], 0x00FF00u);
  const plat::gdi::POINT line[] = {{0, 3}, {3, 3}};
  {
    Qel::WinSelectGuard usePen(dc.GetHandle(), pen.GetHandle());
    EXPECT_NE(dc.Polyline(line, 2), 0);
    EXPECT_NE(dc.Ellipse(1, 1, 3, 3), 0);
    EXPECT_NE(dc.Polygon(line, 2), 0);
  }
}

}  // namespace
