// Text objects: the text box they make, their keys, 8-bit text widened by its encoding, and hit
// tests that follow the box's visibility and the cursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Box3.h"
#include "core/Color.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/TextObject.h"
#include "graphics/StaticText.h"
#include "graphics/WinTextBox.h"
#include "support/ObjectStage.h"

namespace {

class TextObjects : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(stage.IsReady()); }

  test::ObjectStage stage;
};

}  // namespace

TEST_F(TextObjects, TheBoxIsMadeOnTheDisplayAndNamedAfterTheObject) {
  TextObject label("label", "arial", 12);
  Qel::StaticText* text = label.GetTextBox();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(label.GetSceneObject().get(), text);
  EXPECT_STREQ(label.GetName(), "label");
  const Qel::WinTextBox& box = *text->GetTextBox();
  EXPECT_EQ(box.GetDevice(), GetApp().GetDisplay());
  EXPECT_EQ(box.GetWidth(), 256);
  EXPECT_EQ(text->GetHeight(), 64);
  EXPECT_EQ(box.GetFontName(), "arial");
  EXPECT_EQ(box.GetFontSize(), 12);
  EXPECT_EQ(box.GetAlignment(), 0);
  EXPECT_EQ(box.GetText(), u"");

  label.SetSize(680, 40);
  EXPECT_EQ(box.GetWidth(), 680);
  EXPECT_EQ(text->GetHeight(), 40);
}

TEST_F(TextObjects, KeysReachTheBoxAndTheTextKeyTakesTheWholeValue) {
  TextObject label("label", "courier", 10);
  label.SetProperty("TEXT", "Hello, (dear) [friend]  x");
  EXPECT_EQ(label.GetText(), "Hello, (dear) [friend]  x");
  EXPECT_EQ(label.GetTextBox()->GetTextBox()->GetText(), u"Hello, (dear) [friend]  x");
  label.SetProperty("font", "arial bold");
  label.SetProperty("Size", "14");
  label.SetProperty("align", "1");
  label.SetProperty("width", "120");
  label.SetProperty("height", "30");
  label.SetProperty("x", "7");
  const Qel::WinTextBox& box = *label.GetTextBox()->GetTextBox();
  EXPECT_EQ(box.GetFontName(), "arial");
  EXPECT_EQ(box.GetFontSize(), 14);
  EXPECT_EQ(box.GetAlignment(), 1);
  EXPECT_EQ(box.GetWidth(), 120);
  EXPECT_EQ(label.GetTextBox()->GetHeight(), 30);
  EXPECT_EQ(label.GetX(), 7.0f);
}

// Any opaque colour lies above the i32 range, so decimal is read to the full 32 bits.
TEST_F(TextObjects, AColourInHexadecimalOrDecimalIsTheSameColour) {
  struct Case {
    const char* hexadecimal;
    const char* decimal;
    Qel::Color color;
  };
  const std::vector<Case> cases = {
      {"0xFF00FF00", "4278255360", Qel::Color(0, 255, 0, 255)},
      {"0x7F102030", "2131763248", Qel::Color(0x10, 0x20, 0x30, 0x7F)},
      {"0xFFFFFFFF", "-1", Qel::Color(255, 255, 255, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hexadecimal);
    for (const char* value : {c.hexadecimal, c.decimal}) {
      TextObject label("label", "courier", 10);
      label.SetProperty("color", value);
      const Qel::Color& color = label.GetTextBox()->GetTextBox()->GetColor();
      EXPECT_FALSE(color != c.color) << value << ": " << int{color.Red()} << " " << int{color.Green()} << " "
                                     << int{color.Blue()} << " " << int{color.Alpha()};
    }
  }
  TextObject beyond("beyond", "courier", 10);
  beyond.SetProperty("color", "99999999999");
  EXPECT_FALSE(beyond.GetTextBox()->GetTextBox()->GetColor() != Qel::Color(255, 255, 255, 255));
}

TEST_F(TextObjects, EightBitTextIsWidenedByItsEncoding) {
  struct Case {
    const char* name;
    const char* text;
    std::u16string shown;
  };
  const std::vector<Case> cases = {
      {"ASCII", "plain text", u"plain text"},
      {"UTF-8", "caf\xC3\xA9 cr\xC3\xA8me", u"caf\u00E9 cr\u00E8me"},
      {"code page", "caf\xE9 cr\xE8me", u"caf\u00E9 cr\u00E8me"},
      {"code page beyond Latin-1", "\x80 5", u"\u20AC 5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextObject label("label", "courier", 10);
    label.SetText(c.text);
    EXPECT_EQ(label.GetText(), c.text);
    EXPECT_EQ(label.GetTextBox()->GetTextBox()->GetText(), c.shown);
  }
  TextObject wide("wide", "courier", 10);
  wide.SetWideText(u"\u00E9t\u00E9");
  EXPECT_EQ(wide.GetWideText(), u"\u00E9t\u00E9");
  EXPECT_EQ(wide.GetTextBox()->GetTextBox()->GetText(), u"\u00E9t\u00E9");
}

TEST_F(TextObjects, OnlyAVisibleBoxIsHitWhileTheCursorIsEnabled) {
  TextObject label("label", "courier", 10);
  label.SetText("Hello");
  label.SetPosition(100, 200);
  Qel::Box3 bounds;
  label.GetWorldBounds(bounds);
  ASSERT_GT(bounds.Max().Y(), bounds.Min().Y()) << "the text has a line";
  const int32_t left = bounds.Min().X();
  const int32_t top = bounds.Min().Y();
  const int32_t right = bounds.Max().X();
  const int32_t bottom = bounds.Max().Y();
  EXPECT_EQ(left, 100);
  EXPECT_EQ(top, 200);
  EXPECT_EQ(right, 356);

  MouseCursor::Instance().SetEnabled(true);
  for (const auto& [x, y] :
       std::vector<std::pair<int32_t, int32_t>>{{left, top}, {right, bottom}, {150, 201}})
    EXPECT_TRUE(label.HitTest(x, y)) << x << ", " << y;
  for (const auto& [x, y] : std::vector<std::pair<int32_t, int32_t>>{
           {left - 1, top}, {right + 1, top}, {left, bottom + 1}, {150, top - 1}})
    EXPECT_FALSE(label.HitTest(x, y)) << x << ", " << y;

  MouseCursor::Instance().SetEnabled(false);
  EXPECT_FALSE(label.HitTest(150, 201));
  MouseCursor::Instance().SetEnabled(true);
  label.GetTextBox()->Hide();
  EXPECT_FALSE(label.HitTest(150, 201));
}
