// Static text: lines, pages and scrolling over the font's own line height, the bounds of whole lines,
// and the visible page as the part of the rendered text that is drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryDisplayDevice.h"
#include "MemorySurface.h"
#include "core/Box3.h"
#include "core/PixelFormat.h"
#include "graphics/ISceneVisitor.h"
#include "graphics/StaticText.h"
#include "graphics/WinTextBox.h"

namespace {

using memtest::MemoryDisplayDevice;
using memtest::MemorySurface;

std::u16string Lines(int count) {
  std::u16string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += u'\n';
    text += static_cast<char16_t>(u'0' + i);
  }
  return text;
}

class StaticTexts : public testing::Test {
protected:
  void SetUp() override {
    MemorySurface::RegisterSurfaceOps();
    MemorySurface::Calls().clear();
  }
  void TearDown() override { MemorySurface::UnregisterSurfaceOps(); }

  // The line height that the face gives at this size, from a text of one line.
  int FontLineHeight() {
    Qel::StaticText probe(&device, 200, 100, "courier", 10, 0, u"x");
    return probe.GetTextBox()->GetLineHeight();
  }

  static int BoundsHeight(const Qel::StaticText& text) {
    Qel::Box3 bounds;
    text.ComputeLocalBounds(bounds);
    return bounds.Max().Y() - bounds.Min().Y();
  }

  MemoryDisplayDevice device{800, 600, Qel::kPixelFormatA8R8G8B8, true};
};

}  // namespace

TEST_F(StaticTexts, AnEmptyTextHasNoLinesNoPagesAndNoHeight) {
  Qel::StaticText text(&device, 200, 50, "courier", 10, 0, u"");
  EXPECT_EQ(text.GetLineCount(), 0);
  EXPECT_EQ(text.GetLinesPerPage(), 0);
  EXPECT_EQ(text.GetPageCount(), 0);
  EXPECT_EQ(BoundsHeight(text), 0);
  EXPECT_TRUE(text.IsAtTop());
  EXPECT_TRUE(text.IsOnLastPage());
  text.ScrollPages(1);
  EXPECT_EQ(text.GetScrollLine(), 0);
}

// Ten lines in a page a little short of five lines: four lines a page, three pages, and the bounds
// of whole lines only.
TEST_F(StaticTexts, TenLinesScrollByWholePagesAndStopAtBothEnds) {
  const int h = FontLineHeight();
  ASSERT_GT(h, 1);
  Qel::StaticText text(&device, 200, 5 * h - 1, "courier", 10, 0, Lines(10));
  ASSERT_EQ(text.GetTextBox()->GetLineHeight(), h);
  EXPECT_EQ(text.GetLineCount(), 10);
  EXPECT_EQ(text.GetLinesPerPage(), 4);
  EXPECT_EQ(text.GetPageCount(), 3);
  EXPECT_EQ(BoundsHeight(text), 4 * h);

  struct Step {
    int pages;
    int firstLine;
    bool atTop;
    bool onLastPage;
    int visibleLines;
  };
  const std::vector<Step> steps = {
      {1, 4, false, false, 4},  {5, 9, false, true, 1},   {1, 9, false, true, 1},
      {-1, 5, false, false, 4}, {-1, 1, false, false, 4}, {-1, 0, true, false, 4},
      {-1, 0, true, false, 4},  {0, 0, true, false, 4},   {2, 8, false, true, 2},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << "ScrollPages(" << step.pages << ") to line " << step.firstLine);
    text.ScrollPages(step.pages);
    EXPECT_EQ(text.GetScrollLine(), step.firstLine);
    EXPECT_EQ(text.IsAtTop(), step.atTop);
    EXPECT_EQ(text.IsOnLastPage(), step.onLastPage);
    EXPECT_EQ(BoundsHeight(text), step.visibleLines * h);
  }

  text.SetText(Lines(3));
  EXPECT_TRUE(text.IsAtTop());
  EXPECT_EQ(text.GetPageCount(), 1);
  EXPECT_EQ(BoundsHeight(text), 3 * h);
}

TEST_F(StaticTexts, APageLowerThanOneLineIsOnePageThatNeverScrolls) {
  const int h = FontLineHeight();
  ASSERT_GT(h, 1);
  for (const int height : {h - 1, 0, -h}) {
    SCOPED_TRACE(height);
    Qel::StaticText text(&device, 200, height, "courier", 10, 0, Lines(5));
    EXPECT_EQ(text.GetLineCount(), 5);
    EXPECT_EQ(text.GetLinesPerPage(), 0);
    EXPECT_EQ(text.GetPageCount(), 1);
    EXPECT_TRUE(text.IsOnLastPage());
    text.ScrollPages(1);
    text.ScrollPages(-3);
    EXPECT_EQ(text.GetScrollLine(), 0);
    EXPECT_EQ(BoundsHeight(text), 0);
  }
}

TEST_F(StaticTexts, TheSettersReachTheTextBox) {
  Qel::StaticText text(&device, 200, 50, "courier", 10, 1, u"a");
  Qel::WinTextBox& box = *text.GetTextBox();
  EXPECT_EQ(box.GetWidth(), 200);
  EXPECT_EQ(box.GetAlignment(), 1);
  EXPECT_EQ(box.GetStyle(), 0);
  EXPECT_EQ(box.GetFontName(), "courier");
  EXPECT_FALSE(box.GetColor() != Qel::Color(255, 255, 255, 255));
  text.SetWidth(300);
  text.SetFontName("arial");
  text.SetFontSize(14);
  text.SetStyle(1);
  text.SetColor(Qel::Color(0, 255, 255, 255));
  text.SetAlignment(2);
  text.SetHeight(70);
  text.SetText("b");
  EXPECT_EQ(box.GetWidth(), 300);
  EXPECT_EQ(box.GetFontName(), "arial");
  EXPECT_EQ(box.GetFontSize(), 14);
  EXPECT_EQ(box.GetStyle(), 1);
  EXPECT_FALSE(box.GetColor() != Qel::Color(0, 255, 255, 255));
  EXPECT_EQ(box.GetAlignment(), 2);
  EXPECT_EQ(text.GetHeight(), 70);
  EXPECT_EQ(box.GetText(), u"b");
}

// The page shown is the rendered text from the scroll line on, wherever the draw pass puts it.
TEST_F(StaticTexts, RenderDrawsThePageFromTheScrollLine) {
  const int h = FontLineHeight();
  ASSERT_GT(h, 1);
  Qel::StaticText text(&device, 200, 4 * h, "courier", 10, 0, Lines(10));
  text.SetAnchor(Qel::Point3(3, 0, 0));
  text.ScrollPages(1);
  Qel::Box3 source;
  text.ComputeLocalBounds(source);
  source.Set(source.Min().X() - 3, 0, 0, source.Max().X() - 3, source.Max().Y(), 0);
  MemorySurface::Calls().clear();
  text.Render(*device.BackBuffer(), source, Qel::Point2(10, 500));
  ASSERT_EQ(MemorySurface::Calls().size(), 1u);
  const MemorySurface::Call& call = MemorySurface::Calls()[0];
  EXPECT_EQ(call.source, text.GetTextBox()->GetRenderedSurface());
  EXPECT_EQ(call.destination, device.BackBuffer());
  EXPECT_EQ(call.sourceRect, Qel::Rect(0, 4 * h, 200, 8 * h));
  EXPECT_EQ(call.destinationRect.TopLeft(), Qel::Point2(10, 500));
}

TEST_F(StaticTexts, VisitorsSeeAStaticText) {
  struct Visitor : Qel::ISceneVisitor {
    void VisitDrawable(Qel::SceneDrawable&) override { seen += "drawable "; }
    void VisitGroup(Qel::SceneObjectGroup&) override { seen += "group "; }
    void VisitSprite(Qel::Sprite&) override { seen += "sprite "; }
    void VisitStaticText(Qel::StaticText&) override { seen += "text "; }
    void VisitWorld(Qel::SceneWorld&) override { seen += "world "; }
    std::string seen;
  } visitor;
  Qel::StaticText text(&device, 200, 50, "courier", 10, 0, u"a");
  text.Accept(visitor);
  EXPECT_EQ(visitor.seen, "text ");
}
