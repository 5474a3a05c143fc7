// The markup, line breaking and alignment of GDI text, as tables of cases in a monospace face.
#include "graphics/WinText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "graphics/Utf8.h"

namespace {

using texttest::GdiCanvas;
using texttest::MonoAdvance;

constexpr plat::gdi::COLORREF kBase = 0x123456;

struct RunExpect {
  int first;
  plat::gdi::LONG weight;
  bool italic;
  plat::gdi::COLORREF color;
};

TEST(WinTextMarkup, CaretsToggleStylesAndPickColours) {
  struct Case {
    const char16_t* text;
    const char16_t* shown;
    std::vector<RunExpect> runs;
    size_t styles;
  };
  const Case cases[] = {
      {u"^Bword^B second", u"word second", {{0, 700, false, kBase}, {4, 400, false, kBase}}, 2},
      {u"^bone ^itwo", u"one two", {{0, 700, false, kBase}, {4, 700, true, kBase}}, 3},
      {u"^CRword^C second", u"word second", {{0, 400, false, 0x000080}, {4, 400, false, kBase}}, 2},
      {u"^Cqword", u"word", {{0, 400, false, 0xFFFFFF}}, 2},
      {u"^cba^c^cgb^c^cxc", u"abc", {{0, 400, false, 0xC80000}, {1, 400, false, 0x00C800}, {2, 400, false, 0x00FFFF}}, 4},
      {u"^cba^cgb", u"agb", {{0, 400, false, 0xC80000}, {1, 400, false, kBase}}, 2},
      {u"^CYa^C^CGb", u"ab", {{0, 400, false, 0x00C8C8}, {1, 400, false, 0x00C800}}, 3},
      {u"^CXa", u"a", {{0, 400, false, 0x00FFFF}}, 2},
      {u"^^x", u"x", {{0, 400, false, kBase}}, 1},
      {u"^Zabc", u"Zabc", {{0, 400, false, kBase}}, 1},
      {u"ab^C", u"ab", {{0, 400, false, kBase}}, 1},
      {u"a^", u"a", {{0, 400, false, kBase}}, 1},
      {u"^I^i^b^ba", u"a", {{0, 400, false, kBase}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Qel::WideToKeyboardCodePage(c.text, static_cast<int>(std::u16string(c.text).size())));
    GdiCanvas canvas(1, 1);
    Qel::WinText text(canvas.Dc(), 1000);
    text.SetFont(texttest::BoxFont("courier", 10));
    text.SetColor(kBase);
    text.SetText(c.text);
    EXPECT_EQ(text.GetParsedText(), std::u16string(c.shown));
    EXPECT_EQ(text.GetStyles().size(), c.styles);
    ASSERT_EQ(text.GetRuns().size(), c.runs.size());
    for (size_t i = 0; i < c.runs.size(); ++i) {
      const Qel::WinText::Run& run = text.GetRuns()[i];
      const Qel::TextStyle& style = text.GetStyles()[static_cast<size_t>(run.style)];
      EXPECT_EQ(run.first, c.runs[i].first) << "run " << i;
      EXPECT_EQ(style.font.lfWeight, c.runs[i].weight) << "run " << i;
      EXPECT_EQ(style.font.lfItalic != 0, c.runs[i].italic) << "run " << i;
      EXPECT_EQ(style.color, c.runs[i].color) << "run " << i;
    }
  }
}

struct LineExpect {
  int first;
  int advances;  // the width in monospace advances
};

TEST(WinTextLayout, LinesBreakAtTheBoxWidthAndAtLineEnds) {
  const int a = MonoAdvance();
  struct Case {
    const char* what;
    const char16_t* text;
    int width;
    std::vector<LineExpect> lines;
  };
  const Case cases[] = {
      {"short", u"abc", 10 * a, {{0, 3}}},
      {"a line reaching the width exactly breaks before the character that reaches it", u"abcd", 3 * a,
       {{0, 2}, {2, 2}}},
      {"one pixel more and three fit", u"abcd", 3 * a + 1, {{0, 3}, {3, 1}}},
      {"words break after the last space; it is counted in neither line", u"wwwwwwww wwwwwwww wwwwwwww",
       20 * a, {{0, 17}, {18, 8}}},
      {"a word longer than the box splits", u"abcdefgh", 3 * a, {{0, 2}, {2, 2}, {4, 2}, {6, 2}}},
      {"also after an explicit line break", u"ab\ncdefgh", 3 * a, {{0, 2}, {3, 2}, {5, 2}, {7, 2}}},
      {"a space reaching the width ends its line", u"abc def", 4 * a, {{0, 3}, {4, 3}}},
      {"carriage return and line feed are one break", u"a\r\nb", 10 * a, {{0, 1}, {3, 1}}},
      {"line feed then carriage return are two", u"a\n\rb", 10 * a, {{0, 1}, {2, 0}, {3, 1}}},
      {"a lone carriage return breaks", u"a\rb", 10 * a, {{0, 1}, {2, 1}}},
      {"a break at the end leaves an empty last line", u"a\n", 10 * a, {{0, 1}, {2, 0}}},
      {"a character wider than the box keeps a line of its own", u"ab c", 1, {{0, 1}, {1, 1}, {3, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GdiCanvas canvas(1, 1);
    Qel::WinText text(canvas.Dc(), c.width);
    text.SetFont(texttest::BoxFont("courier", 10));
    text.SetText(c.text);
    std::vector<std::pair<int, int>> lines;
    for (const Qel::WinText::Line& line : text.GetLines()) lines.emplace_back(line.first, line.width);
    std::vector<std::pair<int, int>> expected;
    for (const LineExpect& line : c.lines) expected.emplace_back(line.first, line.advances * a);
    EXPECT_EQ(lines, expected);
    const test::FontFile file(test::LiberationFile("LiberationMono-Regular"), 10);
    EXPECT_EQ(text.GetLineHeight(), file.Height());
    EXPECT_EQ(text.GetTextHeight(), file.Height() * static_cast<int>(c.lines.size()));
  }
}

TEST(WinTextLayout, TheLineFeedTakenWithACarriageReturnHasNoAdvance) {
  GdiCanvas canvas(1, 1);
  Qel::WinText text(canvas.Dc(), 1000);
  text.SetFont(texttest::BoxFont("courier", 10));
  text.SetText(u"a\r\nb");
  ASSERT_EQ(text.GetAdvances().size(), 4u);
  EXPECT_EQ(text.GetAdvances()[0], MonoAdvance());
  EXPECT_EQ(text.GetAdvances()[2], 0);
  EXPECT_EQ(text.GetAdvances()[3], MonoAdvance());
}

TEST(WinTextLayout, EmptyTextHasNoLines) {
  GdiCanvas canvas(1, 1);
  Qel::WinText text(canvas.Dc(), 100);
  text.SetText(u"");
  EXPECT_EQ(text.GetLineCount(), 0);
  EXPECT_EQ(text.GetMaxLineWidth(), 0);
  EXPECT_EQ(text.GetTextHeight(), 0);
  text.Draw(Qel::Point2(0, 0));
}

TEST(WinTextLayout, TheLineHeightIsTheTallestFontOfTheText) {
  GdiCanvas canvas(1, 1);
  Qel::WinText text(canvas.Dc(), 1000);
  text.SetFont(texttest::BoxFont("arial", 14));
  text.SetText(u"a^bb");
  const test::FontFile regular(test::LiberationFile("LiberationSans-Regular"), 14);
  const test::FontFile bold(test::LiberationFile("LiberationSans-Bold"), 14);
  EXPECT_EQ(text.GetLineHeight(), std::max(regular.Height(), bold.Height()));
}

// The first column any text pixel is in, or -1.
int FirstInkColumn(const GdiCanvas& canvas) {
  for (int x = 0; x < canvas.Width(); ++x) {
    for (int y = 0; y < canvas.Height(); ++y) {
      if (canvas.At(x, y) != 0) return x;
    }
  }
  return -1;
}

TEST(WinTextDraw, AlignmentShiftsHalfOrAllOfTheSpareWidth) {
  const int a = MonoAdvance();
  const int lineWidth = 3 * a;
  struct Case {
    int alignment;
    int spare;
    int shift;
  };
  const Case cases[] = {{1, 10, 5}, {1, 11, 5}, {2, 10, 10}, {2, 11, 11}, {0, 11, 0}, {3, 11, 0}, {-1, 10, 0}};
  int leftInk = -1;
  {
    GdiCanvas canvas(lineWidth + 20, 20);
    Qel::WinText text(canvas.Dc(), lineWidth + 10);
    text.SetFont(texttest::BoxFont("courier", 10));
    text.SetText(u"abc");
    text.Draw(Qel::Point2(0, 0));
    leftInk = FirstInkColumn(canvas);
  }
  ASSERT_GE(leftInk, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "alignment " << c.alignment << ", " << c.spare << " spare");
    GdiCanvas canvas(lineWidth + 20, 20);
    Qel::WinText text(canvas.Dc(), lineWidth + c.spare);
    text.SetFont(texttest::BoxFont("courier", 10));
    text.SetAlignment(c.alignment);
    text.SetText(u"abc");
    ASSERT_EQ(text.GetMaxLineWidth(), lineWidth);
    text.Draw(Qel::Point2(0, 0));
    EXPECT_EQ(FirstInkColumn(canvas), leftInk + c.shift);
  }
}

TEST(WinTextDraw, TheContextKeepsItsFontColourAndModes) {
  GdiCanvas canvas(100, 40);
  const plat::gdi::HDC dc = canvas.Dc();
  plat::gdi::SetTextColor(dc, 0x010203);
  plat::gdi::SetTextAlign(dc, plat::gdi::TA_BASELINE);
  plat::gdi::HPEN pen = plat::gdi::CreatePen(plat::gdi::PS_SOLID, 1, 0);
  plat::gdi::HGDIOBJ stockPen = plat::gdi::SelectObject(dc, pen);
  plat::gdi::HBRUSH brush = plat::gdi::CreateSolidBrush(0);
  plat::gdi::HGDIOBJ stockBrush = plat::gdi::SelectObject(dc, brush);
  const plat::gdi::LOGFONTA mine = texttest::BoxFont("arial", 30);
  plat::gdi::HFONT font = plat::gdi::CreateFontIndirectA(&mine);
  plat::gdi::HGDIOBJ stockFont = plat::gdi::SelectObject(dc, font);
  {
    Qel::WinText text(dc, 100);
    text.SetFont(texttest::BoxFont("courier", 10));
    text.SetText(u"^bbold^b^CRred");
    text.Draw(Qel::Point2(1, 1));
  }
  EXPECT_EQ(plat::gdi::GetTextColor(dc), 0x010203u);
  EXPECT_EQ(plat::gdi::GetTextAlign(dc), plat::gdi::TA_BASELINE);
  EXPECT_EQ(plat::gdi::GetBkMode(dc), plat::gdi::OPAQUE);
  EXPECT_EQ(plat::gdi::SelectObject(dc, stockFont), font);
  EXPECT_EQ(plat::gdi::SelectObject(dc, stockPen), pen);
  EXPECT_EQ(plat::gdi::SelectObject(dc, stockBrush), brush);
  plat::gdi::DeleteObject(font);
  plat::gdi::DeleteObject(pen);
  plat::gdi::DeleteObject(brush);
}

}  // namespace
