// Fonts resolved by name, their metrics against the font files, and text drawn without fringes in
// the keyboard layout's code page, compared with glyphs read straight from the files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "GdiCanvas.h"
#include "support/FontFiles.h"

namespace {

using namespace gditest;

LOGFONTA Font(const char* face, LONG height, bool bold = false, bool italic = false) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? 1 : 0;
  font.lfPitchAndFamily = VARIABLE_PITCH;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

// A font selected into a context for the test's lifetime.
struct Selected {
  HDC dc;
  HFONT font;
  HGDIOBJ old;
  Selected(HDC context, const LOGFONTA& logFont) : dc(context), font(CreateFontIndirectA(&logFont)) {
    old = SelectObject(dc, font);
  }
  ~Selected() {
    SelectObject(dc, old);
    DeleteObject(font);
  }
};

TEST(GdiText, MetricsComeFromTheFontFiles) {
  struct Case {
    const char* face;
    LONG height;
    bool bold;
    bool italic;
    const char* file;
  };
  const Case cases[] = {
      {"arial", -14, false, false, "LiberationSans-Regular"},
      {"Arial", -40, true, false, "LiberationSans-Bold"},
      {"arial", -20, false, true, "LiberationSans-Italic"},
      {"arial", -9, true, true, "LiberationSans-BoldItalic"},
      {"courier", -10, false, false, "LiberationMono-Regular"},
      {"Courier New", -16, true, true, "LiberationMono-BoldItalic"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.face << " " << c.height << " " << c.file);
    HDC dc = CreateCompatibleDC(nullptr);
    {
      Selected selected(dc, Font(c.face, c.height, c.bold, c.italic));
      ASSERT_NE(selected.font, nullptr);
      EXPECT_EQ(GetResolvedFaceForTesting(selected.font).file, test::LiberationFile(c.file));
      EXPECT_TRUE(GetResolvedFaceForTesting(selected.font).fromTable);
      const test::FontFile file(test::LiberationFile(c.file), -c.height);
      ASSERT_TRUE(file.IsOpen());
      TEXTMETRICA metrics{};
      ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
      EXPECT_EQ(metrics.tmAscent, file.Ascent());
      EXPECT_EQ(metrics.tmDescent, file.Descent());
      EXPECT_EQ(metrics.tmHeight, file.Height());
      EXPECT_EQ(metrics.tmInternalLeading, file.Height() + c.height);
      EXPECT_EQ(metrics.tmWeight, c.bold ? FW_BOLD : FW_NORMAL);
      SIZE extent{};
      ASSERT_TRUE(GetTextExtentPoint32A(dc, "Wi j", 4, &extent));
      EXPECT_EQ(extent.cx, file.Glyph('W').advance + file.Glyph('i').advance + file.Glyph(' ').advance +
                               file.Glyph('j').advance);
      EXPECT_EQ(extent.cy, file.Height());
    }
    DeleteDC(dc);
  }
}

TEST(GdiText, APositiveHeightIsTheCellHeight) {
  HDC dc = CreateCompatibleDC(nullptr);
  {
    Selected selected(dc, Font("arial", 16));
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
    EXPECT_EQ(metrics.tmHeight, 16);
  }
  DeleteDC(dc);
}

TEST(GdiText, AFaceOutsideTheTableResolvesThroughFontconfig) {
  const LOGFONTA serif = Font("Liberation Serif", -12, true);
  HFONT font = CreateFontIndirectA(&serif);
  ASSERT_NE(font, nullptr);
  const ResolvedFace face = GetResolvedFaceForTesting(font);
  EXPECT_TRUE(face.fromFontconfig);
  EXPECT_FALSE(face.fallback);
  EXPECT_EQ(face.family, "Liberation Serif");
  EXPECT_NE(face.file.find("LiberationSerif-Bold"), std::string::npos) << face.file;
  DeleteObject(font);
}

TEST(GdiText, AnUnknownFaceFallsBackToLiberationSansWithAWarning) {
  setenv("PILO_TRACE", "1", 1);
  testing::internal::CaptureStderr();
  const LOGFONTA unknown = Font("No Such Face Anywhere", -12);
  HFONT font = CreateFontIndirectA(&unknown);
  const std::string trace = testing::internal::GetCapturedStderr();
  ASSERT_NE(font, nullptr);
  const ResolvedFace face = GetResolvedFaceForTesting(font);
  EXPECT_TRUE(face.fallback);
  EXPECT_EQ(face.file, test::LiberationFile("LiberationSans-Regular"));
  EXPECT_NE(trace.find("WARN: "), std::string::npos) << trace;
  EXPECT_NE(trace.find("No Such Face Anywhere"), std::string::npos) << trace;
  DeleteObject(font);
}

// The text as the font file's own glyphs place it: pen from x, top of the cell at y.
test::Image Expected(int width, int height, const test::FontFile& file, const std::u32string& text, int x, int y,
                     uint32_t ink) {
  test::Image image(width, height, 0);
  int pen = x;
  for (char32_t c : text) {
    const test::FontGlyph glyph = file.Glyph(c);
    image.Stamp(glyph, pen, y + file.Ascent(), ink);
    pen += glyph.advance;
  }
  return image;
}

void ExpectImage(const Canvas& canvas, const test::Image& expected) {
  int wrong = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (canvas.At(x, y) != expected.At(x, y) && ++wrong <= 5) {
        ADD_FAILURE() << "(" << x << ", " << y << "): " << std::hex << canvas.At(x, y) << " instead of "
                      << expected.At(x, y);
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(GdiText, TextIsDrawnInTheTextColourOnlyAndDecodedInTheLayoutsCodePage) {
  struct Case {
    const char* what;
    const char* bytes;  // Windows-1252
    std::u32string characters;
    int x, y;
  };
  const Case cases[] = {
      {"plain", "Hello, Qel", U"Hello, Qel", 2, 1},
      {"accents and the euro sign", "caf\xE9 \x80 \xFC", U"caf\u00E9 \u20AC \u00FC", 0, 0},
      {"clipped left and top", "Wave", U"Wave", -5, -6},
      {"clipped right and bottom", "Wave", U"Wave", 50, 10},
  };
  constexpr int kWidth = 64;
  constexpr int kHeight = 20;
  const test::FontFile file(test::LiberationFile("LiberationSans-Regular"), 14);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas canvas(kWidth, kHeight);
    Selected selected(canvas.Dc(), Font("arial", -14));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), RGB(0x20, 0x40, 0xF0));
    ASSERT_TRUE(TextOutA(canvas.Dc(), c.x, c.y, c.bytes, static_cast<int>(std::strlen(c.bytes))));
    ExpectImage(canvas, Expected(kWidth, kHeight, file, c.characters, c.x, c.y, 0x2040F0));
    EXPECT_GT(canvas.Count(0x2040F0), 10) << "the text shows";
    EXPECT_EQ(canvas.Count(0) + canvas.Count(0x2040F0), kWidth * kHeight) << "no blended pixel";
  }
}

TEST(GdiText, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  Canvas canvas(40, 20);
  Selected selected(canvas.Dc(), Font("courier", -12));
  SetBkColor(canvas.Dc(), RGB(0, 0, 1));
  SetTextColor(canvas.Dc(), RGB(0, 0, 2));
  ASSERT_TRUE(TextOutA(canvas.Dc(), 1, 1, "ab", 2));
  SIZE extent{};
  GetTextExtentPoint32A(canvas.Dc(), "ab", 2, &extent);
  EXPECT_EQ(canvas.Count(1) + canvas.Count(2), extent.cx * extent.cy);
  EXPECT_GT(canvas.Count(2), 0);
  EXPECT_EQ(canvas.At(0, 0), 0u);
}

TEST(GdiText, TextCallsRefuseWhatTheyCannotRead) {
  HDC dc = CreateCompatibleDC(nullptr);
  SIZE extent{};
  EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &extent));
  EXPECT_FALSE(GetTextExtentPoint32A(dc, nullptr, 1, &extent));
  EXPECT_FALSE(GetTextExtentPoint32A(dc, "a", -1, &extent));
  EXPECT_TRUE(GetTextExtentPoint32A(dc, "", 0, &extent)) << "the stock font measures nothing as 0";
  EXPECT_EQ(extent.cx, 0);
  EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  FailNextCallForTesting(GdiCall::kCreateFontIndirectA);
  const LOGFONTA arial = Font("arial", -10);
  EXPECT_EQ(CreateFontIndirectA(&arial), nullptr);
  DeleteDC(dc);
}

}  // namespace
