// Device contexts, DIB sections, selection and deletion of objects, and the character sets.
#include <gtest/gtest.h>

#include <cstdint>

#include "GdiCanvas.h"

namespace {

using namespace gditest;

BITMAPINFO Info(LONG width, LONG height, WORD bits = 32) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TEST(GdiObjects, ADibSectionIsZeroFilledAndReadsBackItsSize) {
  const BITMAPINFO info = Info(5, -3);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(bits, nullptr);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(static_cast<uint32_t*>(bits)[i], 0u);
  BITMAP read{};
  EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  ASSERT_EQ(GetObjectA(bitmap, sizeof(read), &read), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(read.bmWidth, 5);
  EXPECT_EQ(read.bmHeight, 3);
  EXPECT_EQ(read.bmWidthBytes, 20);
  EXPECT_EQ(read.bmBitsPixel, 32);
  EXPECT_EQ(read.bmBits, bits);
  EXPECT_EQ(GetObjectA(bitmap, sizeof(read) - 1, &read), 0);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap)) << "a deleted handle is no longer known";
  EXPECT_EQ(GetObjectA(bitmap, sizeof(read), &read), 0);
}

TEST(GdiObjects, BottomUpRowsStartAtTheLastRowInMemory) {
  Canvas unused(1, 1);
  const BITMAPINFO info = Info(2, 2);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const POINT top[] = {{0, 0}, {2, 0}};
  Polyline(dc, top, 2);
  EXPECT_EQ(static_cast<uint32_t*>(bits)[2], 0x010203u);
  EXPECT_EQ(static_cast<uint32_t*>(bits)[0], 0u);
  SelectObject(dc, oldPen);
  SelectObject(dc, old);
  DeleteObject(pen);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(GdiObjects, DibSectionsOutsideWhatTheStandInDrawsAreRefused) {
  struct Case {
    const char* what;
    BITMAPINFO info;
    UINT usage;
  };
  BITMAPINFO compressed = Info(4, 4);
  compressed.bmiHeader.biCompression = 3;
  BITMAPINFO planes = Info(4, 4);
  planes.bmiHeader.biPlanes = 2;
  const Case cases[] = {
      {"width 0", Info(0, 4), DIB_RGB_COLORS},
      {"negative width", Info(-4, 4), DIB_RGB_COLORS},
      {"height 0", Info(4, 0), DIB_RGB_COLORS},
      {"24 bits", Info(4, 4, 24), DIB_RGB_COLORS},
      {"compressed", compressed, DIB_RGB_COLORS},
      {"two planes", planes, DIB_RGB_COLORS},
      {"palette usage", Info(4, 4), 1},
      {"too large", Info(60000, -60000), DIB_RGB_COLORS},
      {"lowest height", Info(4, INT32_MIN), DIB_RGB_COLORS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &c.info, c.usage, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
  }
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

TEST(GdiObjects, SelectingAnswersThePreviousObjectOfTheSameKind) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HPEN first = CreatePen(PS_SOLID, 1, 0);
  HPEN second = CreatePen(PS_SOLID, 1, 0);
  HBRUSH brush = CreateSolidBrush(0);
  HGDIOBJ stockPen = SelectObject(dc, first);
  EXPECT_NE(stockPen, nullptr) << "a fresh context holds a pen already";
  EXPECT_NE(SelectObject(dc, brush), nullptr);
  EXPECT_EQ(SelectObject(dc, second), first);
  EXPECT_EQ(SelectObject(dc, stockPen), second);
  EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
  EXPECT_EQ(SelectObject(nullptr, first), nullptr);
  EXPECT_TRUE(DeleteObject(first));
  EXPECT_TRUE(DeleteObject(second));
  EXPECT_EQ(SelectObject(dc, first), nullptr) << "a deleted pen cannot be selected";
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(brush)) << "deleting the context released the brush";
}

TEST(GdiObjects, ABitmapBelongsToOneContextAtATime) {
  const BITMAPINFO info = Info(2, -2);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(a, bitmap);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, bitmap), nullptr) << "free again once a let it go";
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiObjects, AnObjectDeletedWhileSelectedLivesUntilItIsReleased) {
  HDC dc = CreateCompatibleDC(nullptr);
  const BITMAPINFO info = Info(3, -1);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 9));
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(bitmap));
  // Still drawable: the context holds the bitmap.
  HBRUSH paint = CreateSolidBrush(RGB(0, 0, 7));
  const RECT all{0, 0, 3, 1};
  EXPECT_EQ(FillRect(dc, &all, paint), 1);
  EXPECT_EQ(static_cast<uint32_t*>(bits)[2], 7u);
  SelectObject(dc, oldBitmap);
  BITMAP read{};
  EXPECT_EQ(GetObjectA(bitmap, sizeof(read), &read), 0) << "gone once released";
  DeleteObject(paint);
  DeleteDC(dc);
}

TEST(GdiObjects, InjectedFailuresHitOnceTheCallNamed) {
  FailNextCallForTesting(GdiCall::kCreateCompatibleDC);
  EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  const BITMAPINFO info = Info(1, -1);
  void* bits = nullptr;
  FailNextCallForTesting(GdiCall::kCreateDIBSection);
  EXPECT_EQ(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  FailNextCallForTesting(GdiCall::kSelectObject);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  EXPECT_NE(SelectObject(dc, bitmap), nullptr);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(GdiObjects, TextStateAnswersThePreviousValue) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), 0u);
  EXPECT_EQ(SetTextColor(dc, 0), RGB(1, 2, 3));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0) << "no such mode";
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(SetTextAlign(dc, TA_BASELINE), TA_LEFT | TA_TOP);
  EXPECT_EQ(GetTextAlign(dc), TA_BASELINE);
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
  DeleteDC(dc);
}

TEST(GdiObjects, CodePagesTranslateToTheirCharacterSets) {
  struct Case {
    DWORD value;
    DWORD flags;
    BOOL found;
    UINT charset;
    UINT codePage;
  };
  const Case cases[] = {
      {1252, TCI_SRCCODEPAGE, TRUE, ANSI_CHARSET, 1252}, {1251, TCI_SRCCODEPAGE, TRUE, 204, 1251},
      {932, TCI_SRCCODEPAGE, TRUE, 128, 932},            {0, TCI_SRCCHARSET, TRUE, 0, 1252},
      {238, TCI_SRCCHARSET, TRUE, 238, 1250},            {65001, TCI_SRCCODEPAGE, FALSE, 0, 0},
      {1252, 3, FALSE, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " / " << c.flags);
    CHARSETINFO info{};
    EXPECT_EQ(TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(c.value)), &info, c.flags),
              c.found);
    if (c.found) {
      EXPECT_EQ(info.ciCharset, c.charset);
      EXPECT_EQ(info.ciACP, c.codePage);
    }
  }
}

}  // namespace
