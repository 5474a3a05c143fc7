// Text boxes rendered into keyed surfaces, compared with golden images composed from the font
// files' own glyphs, and the boxes that cannot be rendered.
#include "graphics/WinTextBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MemoryDisplayDevice.h"
#include "MemorySurface.h"
#include "TextTestSupport.h"
#include "graphics/Utf8.h"

namespace {

using memtest::MemoryDisplayDevice;
using memtest::MemorySurface;

constexpr uint32_t kKey = 0xFF00FF;
const Qel::Color kInk(10, 200, 30, 255);
constexpr uint32_t kInkPixel = 0x0AC81E;

// A run of characters in one font file and one pixel colour.
struct Segment {
  std::u32string text;
  const char* file;
  uint32_t color = kInkPixel;
};
using GoldenLine = std::vector<Segment>;

const test::FontFile& File(const char* stem, int size) {
  static std::map<std::pair<std::string, int>, std::unique_ptr<test::FontFile>> files;
  auto& file = files[{stem, size}];
  if (!file) file = std::make_unique<test::FontFile>(test::LiberationFile(stem), size);
  return *file;
}

// What the box must hold: the key colour everywhere but the glyphs, each character one pixel
// further on than its advance, each line at its alignment, lines one tallest font height apart.
test::Image Golden(int width, int size, int alignment, const std::vector<GoldenLine>& lines,
                   const std::vector<int>& lineWidths = {}) {
  int lineHeight = 0;
  for (const GoldenLine& line : lines) {
    for (const Segment& segment : line) lineHeight = std::max(lineHeight, File(segment.file, size).Height());
  }
  test::Image image(width, lineHeight * static_cast<int>(lines.size()), kKey);
  for (size_t l = 0; l < lines.size(); ++l) {
    int lineWidth = 0;
    for (const Segment& segment : lines[l]) {
      for (char32_t c : segment.text) lineWidth += File(segment.file, size).Glyph(c).advance + 1;
    }
    if (l < lineWidths.size()) lineWidth = lineWidths[l];
    int pen = alignment == 1 ? (width - lineWidth) / 2 : alignment == 2 ? width - lineWidth : 0;
    for (const Segment& segment : lines[l]) {
      const test::FontFile& file = File(segment.file, size);
      for (char32_t c : segment.text) {
        const test::FontGlyph glyph = file.Glyph(c);
        image.Stamp(glyph, pen, static_cast<int>(l) * lineHeight + file.Ascent(), segment.color);
        pen += glyph.advance + 1;
      }
    }
  }
  return image;
}

class WinTextBoxTest : public testing::Test {
protected:
  void SetUp() override { MemorySurface::RegisterSurfaceOps(); }
  void TearDown() override { MemorySurface::UnregisterSurfaceOps(); }

  static MemorySurface* Surface(Qel::WinTextBox& box) {
    return static_cast<MemorySurface*>(box.GetRenderedSurface());
  }

  static void ExpectSurface(Qel::WinTextBox& box, const test::Image& golden) {
    box.GetLineCount();
    MemorySurface* surface = Surface(box);
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->GetWidth(), golden.width);
    ASSERT_EQ(surface->GetHeight(), golden.height);
    int wrong = 0;
    for (int y = 0; y < golden.height; ++y) {
      for (int x = 0; x < golden.width; ++x) {
        if ((surface->PixelAt(x, y) & 0xFFFFFF) != golden.At(x, y) && ++wrong <= 5) {
          ADD_FAILURE() << "(" << x << ", " << y << "): " << std::hex << surface->PixelAt(x, y) << " instead of "
                        << golden.At(x, y);
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  MemoryDisplayDevice m_device{200, 100, Qel::kPixelFormatX8R8G8B8, false};
};

TEST_F(WinTextBoxTest, RendersGoldenImages) {
  const char* sans = "LiberationSans-Regular";
  struct Case {
    const char* what;
    const char16_t* text;
    int width;
    int style;
    int alignment;
    std::vector<GoldenLine> lines;
  };
  const Case cases[] = {
      {"one line", u"Hello, Qel", 100, 0, 0, {{{U"Hello, Qel", sans}}}},
      {"several lines", u"One\nTwo lines\r\nthree", 100, 0, 0,
       {{{U"One", sans}}, {{U"Two lines", sans}}, {{U"three", sans}}}},
      {"centred", u"Hi\nWide line", 120, 0, 1, {{{U"Hi", sans}}, {{U"Wide line", sans}}}},
      {"right", u"Hi\nWide line", 120, 0, 2, {{{U"Hi", sans}}, {{U"Wide line", sans}}}},
      {"bold and italic markup", u"^bBold^b ^iItalic^i plain", 150, 0, 0,
       {{{U"Bold", "LiberationSans-Bold"},
         {U" ", sans},
         {U"Italic", "LiberationSans-Italic"},
         {U" plain", sans}}}},
      {"style 1 is bold italic", u"Both", 100, 1, 0, {{{U"Both", "LiberationSans-BoldItalic"}}}},
      {"colours", u"^CRred^C ^CGgreen^C ^CBblue^C ^CYy^C ^CXx^C ^Cqw", 190, 0, 0,
       {{{U"red", sans, 0x800000},
         {U" ", sans},
         {U"green", sans, 0x00C800},
         {U" ", sans},
         {U"blue", sans, 0x0000C8},
         {U" ", sans},
         {U"y", sans, 0xC8C800},
         {U" ", sans},
         {U"x", sans, 0xFFFF00},
         {U" ", sans},
         {U"w", sans, 0xFFFFFF}}}},
      {"accented text in the code page", u"Caf\u00E9 \u20AC5", 100, 0, 0, {{{U"Caf\u00E9 \u20AC5", sans}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Qel::WinTextBox box(&m_device, "arial", 14, c.style, kInk, c.alignment, c.width, c.text);
    ExpectSurface(box, Golden(c.width, 14, c.alignment, c.lines));
    const int lineHeight = File(c.lines[0][0].file, 14).Height();
    EXPECT_EQ(box.GetLineCount(), static_cast<int>(c.lines.size()));
    EXPECT_EQ(box.GetLineHeight(), lineHeight);
    EXPECT_EQ(box.GetTextHeight(), lineHeight * static_cast<int>(c.lines.size()));
  }
}

TEST_F(WinTextBoxTest, BreaksAtTheBoxWidthLeavingTheSpaceAtTheEndOfTheLine) {
  const char* sans = "LiberationSans-Regular";
  int firstLine = 0;
  for (char32_t c : std::u32string(U"aaa bbb")) firstLine += File(sans, 14).Glyph(c).advance + 1;
  const int space = File(sans, 14).Glyph(' ').advance + 1;
  const int width = firstLine + space + 1;  // the next letter reaches it
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 2, width, u"aaa bbb ccc");
  ExpectSurface(box, Golden(width, 14, 2, {{{U"aaa bbb ", sans}}, {{U"ccc", sans}}}, {firstLine}));
  EXPECT_EQ(box.GetLineCount(), 2);
  EXPECT_EQ(box.GetTextWidth(), firstLine);
}

TEST_F(WinTextBoxTest, StyleTwoRendersAsStyleZero) {
  Qel::WinTextBox plain(&m_device, "arial", 14, 0, kInk, 0, 120, u"Same text");
  Qel::WinTextBox two(&m_device, "arial", 14, 2, kInk, 0, 120, u"Same text");
  Qel::WinTextBox three(&m_device, "arial", 14, 3, kInk, 0, 120, u"Same text");
  plain.GetLineCount();
  two.GetLineCount();
  three.GetLineCount();
  ASSERT_NE(Surface(plain), nullptr);
  ASSERT_NE(Surface(two), nullptr);
  EXPECT_EQ(Surface(plain)->Bytes(), Surface(two)->Bytes());
  EXPECT_NE(Surface(plain)->Bytes(), Surface(three)->Bytes()) << "bit 0 of style 3 makes it bold italic";
}

TEST_F(WinTextBoxTest, TheKeyLeavesOnlyTheGlyphsOnTheBackBufferWithoutFringes) {
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, 80, u"^bFringe^b? gW@");
  ASSERT_EQ(box.Draw(m_device.GetBackBuffer(), nullptr, Qel::Point2(3, 4)), 0);
  MemorySurface* surface = Surface(box);
  ASSERT_NE(surface, nullptr);
  Qel::Color key;
  surface->GetColorKey(key);
  EXPECT_FALSE(key != Qel::Color::Magenta(Qel::kPixelFormatX8R8G8B8));
  int ink = 0;
  for (int y = 0; y < surface->GetHeight(); ++y) {
    for (int x = 0; x < surface->GetWidth(); ++x) {
      const uint32_t pixel = surface->PixelAt(x, y) & 0xFFFFFF;
      ASSERT_TRUE(pixel == kKey || pixel == kInkPixel) << x << ", " << y << ": " << std::hex << pixel;
      ink += pixel == kInkPixel;
      EXPECT_EQ(m_device.BackBuffer()->PixelAt(x + 3, y + 4) & 0xFFFFFF, pixel == kInkPixel ? kInkPixel : 0u);
    }
  }
  EXPECT_GT(ink, 20);
}

TEST_F(WinTextBoxTest, DrawingClipsAtTheEdgesOfTheDestination) {
  const char* sans = "LiberationSans-Regular";
  const test::Image golden = Golden(60, 14, 0, {{{U"Edge", sans}}});
  struct Case {
    int x, y;
  };
  const Case cases[] = {{-5, -3}, {180, 90}, {-30, 95}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    MemoryDisplayDevice device(200, 100, Qel::kPixelFormatX8R8G8B8, false);
    Qel::WinTextBox box(&device, "arial", 14, 0, kInk, 0, 60, u"Edge");
    box.Draw(device.GetBackBuffer(), nullptr, Qel::Point2(c.x, c.y));
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 200; ++x) {
        const int gx = x - c.x;
        const int gy = y - c.y;
        const bool inside = gx >= 0 && gy >= 0 && gx < golden.width && gy < golden.height;
        const uint32_t expected = inside && golden.At(gx, gy) == kInkPixel ? kInkPixel : 0;
        ASSERT_EQ(device.BackBuffer()->PixelAt(x, y) & 0xFFFFFF, expected) << x << ", " << y;
      }
    }
  }
}

TEST_F(WinTextBoxTest, RendersLazilyAndOnlyWhenThePictureChanges) {
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, 100, u"Lazy");
  EXPECT_TRUE(box.NeedsRender());
  EXPECT_TRUE(m_device.requests.empty());
  EXPECT_EQ(box.GetLineCount(), 1);
  EXPECT_FALSE(box.NeedsRender());
  box.GetLineHeight();
  box.GetTextHeight();
  box.Draw(m_device.GetBackBuffer(), nullptr, Qel::Point2(0, 0));
  EXPECT_EQ(m_device.requests.size(), 1u);
  ASSERT_EQ(m_device.requests[0].kind, Qel::DisplayDevice::kSurfaceImage);
  EXPECT_EQ(m_device.requests[0].pitch, 4 * 100);
  EXPECT_TRUE(m_device.requests[0].format == Qel::kPixelFormatX8R8G8B8);

  struct Step {
    const char* what;
    void (*change)(Qel::WinTextBox&);
    bool marks;
  };
  const Step steps[] = {
      {"same font name", [](Qel::WinTextBox& b) { b.SetFontName("arial"); }, false},
      {"new font name", [](Qel::WinTextBox& b) { b.SetFontName("courier"); }, true},
      {"same size", [](Qel::WinTextBox& b) { b.SetFontSize(14); }, false},
      {"new size", [](Qel::WinTextBox& b) { b.SetFontSize(12); }, true},
      {"new style", [](Qel::WinTextBox& b) { b.SetStyle(1); }, true},
      {"same colour", [](Qel::WinTextBox& b) { b.SetColor(Qel::Color(10, 200, 30, 255)); }, false},
      {"new alpha", [](Qel::WinTextBox& b) { b.SetColor(Qel::Color(10, 200, 30, 7)); }, true},
      {"new width", [](Qel::WinTextBox& b) { b.SetWidth(90); }, true},
      {"alignment never marks", [](Qel::WinTextBox& b) { b.SetAlignment(2); }, false},
      {"same text", [](Qel::WinTextBox& b) { b.SetText(u"Lazy"); }, false},
      {"same text in UTF-8", [](Qel::WinTextBox& b) { b.SetText("Lazy"); }, false},
      {"new text", [](Qel::WinTextBox& b) { b.SetText(u"Busy"); }, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(box);
    EXPECT_EQ(box.NeedsRender(), step.marks);
    box.GetLineCount();
  }
  EXPECT_EQ(box.GetAlignment(), 2);
  const size_t renders = m_device.requests.size();
  box.Update();
  EXPECT_EQ(m_device.requests.size(), renders + 1) << "Update renders whatever changed";
}

TEST_F(WinTextBoxTest, AnEmptyTextHasNoSurfaceAndSettersDoNotMarkIt) {
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, 100, u"");
  EXPECT_EQ(box.GetLineCount(), 0);
  EXPECT_EQ(box.GetLineHeight(), 0);
  EXPECT_EQ(box.Draw(m_device.GetBackBuffer(), nullptr, Qel::Point2(0, 0)), 0);
  EXPECT_EQ(box.GetRenderedSurface(), nullptr);
  box.SetFontSize(20);
  EXPECT_FALSE(box.NeedsRender());
  EXPECT_TRUE(m_device.requests.empty());
}

TEST_F(WinTextBoxTest, EightBitTextIsUtf8UpToItsFirstBadSequence) {
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, 100, u"");
  box.SetText("caf\xC3\xA9 ok");
  EXPECT_EQ(box.GetText(), u"caf\u00E9 ok");
  box.SetText("ab\xC3(cd");
  EXPECT_EQ(box.GetText(), u"ab");
}

TEST_F(WinTextBoxTest, ABoxThatCannotBeRenderedIsLeftWithoutASurfaceAndSaysSo) {
  struct Case {
    const char* what;
    int width;
    plat::gdi::GdiCall failing;
  };
  const Case cases[] = {
      {"width 0", 0, plat::gdi::GdiCall::kNone},
      {"negative width", -40, plat::gdi::GdiCall::kNone},
      {"no context", 100, plat::gdi::GdiCall::kCreateCompatibleDC},
      {"no bitmap", 100, plat::gdi::GdiCall::kCreateDIBSection},
      {"bitmap not selected", 100, plat::gdi::GdiCall::kSelectBitmap},
      {"a bitmap too large for GDI", 70000, plat::gdi::GdiCall::kNone},
  };
  setenv("PILO_TRACE", "1", 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, c.width, u"Some text\nand more");
    plat::gdi::FailNextCallForTesting(c.failing);
    testing::internal::CaptureStderr();
    EXPECT_EQ(box.Draw(m_device.GetBackBuffer(), nullptr, Qel::Point2(0, 0)), 0);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_NE(trace.find("ERROR: "), std::string::npos) << trace;
    EXPECT_EQ(box.GetRenderedSurface(), nullptr);
    EXPECT_EQ(box.GetLineHeight(), 0);
    EXPECT_EQ(box.GetTextHeight(), 0);
    plat::gdi::FailNextCallForTesting(plat::gdi::GdiCall::kNone);
  }
  EXPECT_TRUE(m_device.requests.empty());
  // Given a width again, the same box renders.
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, 0, u"Text");
  box.GetLineCount();
  box.SetWidth(50);
  EXPECT_EQ(box.GetLineCount(), 1);
  EXPECT_NE(box.GetRenderedSurface(), nullptr);
}

TEST_F(WinTextBoxTest, ADisplayThatRefusesTheSurfaceLeavesTheBoxEmpty) {
  m_device.refuseAll = true;
  Qel::WinTextBox box(&m_device, "arial", 14, 0, kInk, 0, 100, u"One\nTwo");
  EXPECT_EQ(box.GetLineCount(), 2);
  EXPECT_EQ(box.GetLineHeight(), 0);
  EXPECT_EQ(box.Draw(m_device.GetBackBuffer(), nullptr, Qel::Point2(0, 0)), 0);
  Qel::WinTextBox noDevice(nullptr, "arial", 14, 0, kInk, 0, 100, u"One");
  EXPECT_EQ(noDevice.GetLineHeight(), 0);
}

}  // namespace
