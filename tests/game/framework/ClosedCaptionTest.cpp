// Closed captions: caption files in both encodings, the pages timed to the sound on the clock of
// their owner, the global switch, and the captioned sound that shows and hides its line.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/ClosedCaption.h"
#include "framework/MainApp.h"
#include "framework/TextObject.h"
#include "graphics/SceneObject.h"
#include "graphics/StaticText.h"
#include "graphics/WinTextBox.h"
#include "support/ObjectStage.h"
#include "support/SoundStage.h"

namespace {

// The same text as a UTF-16 file: the byte-order mark, then each character as one little-endian
// unit, with CR LF where the text has LF.
std::string Utf16File(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    if (c == u'\n') bytes += std::string("\r\0\n\0", 4);
    if (c != u'\n') bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  }
  return bytes;
}

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

struct Entry {
  int32_t number;
  std::u16string name;
  std::u16string text;

  bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& entry, std::ostream* out) {
  *out << entry.number << " '" << std::string(entry.name.begin(), entry.name.end()) << "' '"
       << std::string(entry.text.begin(), entry.text.end()) << "'";
}

// Every entry with its texts widened, whichever encoding it came from.
std::vector<Entry> EntriesOf(const ClosedCaption& caption) {
  std::vector<Entry> entries;
  for (size_t i = 0; i < caption.GetEntryCount(); ++i) {
    const CaptionEntry& entry = caption.GetEntry(i);
    if (entry.IsWide()) {
      EXPECT_EQ(entry.name, nullptr);
      EXPECT_EQ(entry.text, nullptr);
      entries.push_back({entry.number, entry.wideName, entry.wideText});
    } else {
      EXPECT_EQ(entry.wideName, nullptr);
      entries.push_back({entry.number, Ascii(entry.name), Ascii(entry.text)});
    }
  }
  return entries;
}

// Comments, blanks and tabs, empty texts, lines that are skipped and numbers given twice.
constexpr const char* kCaptionFile =
    "; the captions of a room\n"
    "12 Pilo  Hello; a comment\n"
    "13 Pilo\n"
    "14\n"
    "\n"
    "\t15\tNana\t \tGood day, friend (yes) [sure]\n"
    "7 First one\n"
    "7 Second two\n"
    "   ; only a comment\n"
    "16 Sam ;\n"
    "99999999999 Big clamped\n"
    "-3 Neg   spaced  words  \n"
    "0x10 Hex decimal only\n"
    "17 Last no line end";

const std::vector<Entry> kCaptionEntries = {
    {12, u"Pilo", u"Hello"},
    {13, u"Pilo", u""},
    {15, u"Nana", u"Good day, friend (yes) [sure]"},
    {7, u"First", u"one"},
    {7, u"Second", u"two"},
    {16, u"Sam", u""},
    {2147483647, u"Big", u"clamped"},
    {-3, u"Neg", u"spaced  words  "},
    {0, u"Hex", u"decimal only"},
    {17, u"Last", u"no line end"},
};

class Captions : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(stage.IsReady());
    gCaptionsOn = 1;
    for (TextObject* object : {&text, &name}) object->GetTextBox()->SetFontName("courier");
  }

  // A box one line high and narrow enough that each word of five letters takes a line of its own,
  // so a caption of p such words has p pages.
  void OneWordAPage() {
    text.SetText("x");
    const int32_t lineHeight = text.GetTextBox()->GetTextBox()->GetLineHeight();
    ASSERT_GT(lineHeight, 0);
    text.SetSize(60, lineHeight);
    text.SetText("");
  }

  static bool Shown(const GenericObject& object) { return object.GetSceneObject()->IsShown(); }

  test::ObjectStage stage;
  TextObject text{"ccText", "courier", 10};
  TextObject name{"ccName", "courier", 10};
  Ambient* bar = nullptr;
};

}  // namespace

TEST_F(Captions, BothEncodingsGiveTheSameEntries) {
  stage.AddText("room8", kCaptionFile);
  stage.AddText("room16", Utf16File(Ascii(kCaptionFile)));
  for (const char* file : {"room8", "room16"}) {
    SCOPED_TRACE(file);
    ClosedCaption caption(nullptr, &name, &text, true);
    ASSERT_TRUE(caption.Load(file));
    EXPECT_EQ(EntriesOf(caption), kCaptionEntries);
    EXPECT_EQ(caption.GetEntry(0).IsWide(), std::string(file) == "room16");
    // The first of two entries of one number is the one found.
    ASSERT_NE(caption.Find(7), nullptr);
    EXPECT_EQ(caption.Find(7), &caption.GetEntry(3));
    EXPECT_EQ(caption.Find(14), nullptr);
  }
}

TEST_F(Captions, LaterFilesAddTheirEntriesAfterTheEarlierOnes) {
  stage.AddText("first", "7 Pilo from the first\n");
  stage.AddText("second", Utf16File(u"7 Nana from the second\n8 Nana only here\n"));
  ClosedCaption caption(nullptr, &name, &text, true);
  EXPECT_FALSE(caption.Load("missing"));
  ASSERT_TRUE(caption.Load("first"));
  ASSERT_TRUE(caption.Load("second"));
  EXPECT_EQ(EntriesOf(caption),
            (std::vector<Entry>{{7, u"Pilo", u"from the first"}, {7, u"Nana", u"from the second"},
                                {8, u"Nana", u"only here"}}));
  EXPECT_FALSE(caption.Find(7)->IsWide());
  EXPECT_TRUE(caption.Find(8)->IsWide());
}

// The text must end inside its buffer however the file ends: the sanitizers see any read past it.
TEST_F(Captions, FilesThatEndMidLineOrMidUnitStayInsideTheirText) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Entry> entries;
  };
  const std::u16string accented = u"9 Zo\u00E9 caf\u00E9 cr\u00E8me";
  const std::vector<Case> cases = {
      {"8-bit without a line end", "5 Pilo Hi", {{5, u"Pilo", u"Hi"}}},
      {"8-bit name at the very end", "5 Pilo", {{5, u"Pilo", u""}}},
      {"UTF-16 without a line end", Utf16File(u"5 Pilo Hi"), {{5, u"Pilo", u"Hi"}}},
      {"UTF-16 with an odd byte", Utf16File(u"5 Pilo Hi") + "!", {{5, u"Pilo", u"Hi"}}},
      {"UTF-16 name at the very end with an odd byte", Utf16File(u"5 Pilo") + "x", {{5, u"Pilo", u""}}},
      {"UTF-16 beyond the basic letters", Utf16File(accented), {{9, u"Zo\u00E9", u"caf\u00E9 cr\u00E8me"}}},
      {"the byte-order mark alone", "\xFF\xFE", {}},
      {"the mark and half a unit", "\xFF\xFE\x35", {}},
      {"one byte", "5", {}},
      {"empty", "", {}},
      {"a zero byte ends the line", std::string("5 Pilo Hi\0 there\n6 Nana Yo", 26),
       {{5, u"Pilo", u"Hi"}, {6, u"Nana", u"Yo"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stage.AddText("edge", c.bytes);
    ClosedCaption caption(nullptr, &name, &text, true);
    EXPECT_TRUE(caption.Load("edge"));
    EXPECT_EQ(EntriesOf(caption), c.entries);
  }
}

TEST_F(Captions, ConstructionEmptiesAndHidesTheObjects) {
  text.SetText("left over");
  name.SetText("old");
  ClosedCaption caption(nullptr, &name, &text, true);
  EXPECT_EQ(text.GetTextBox()->GetTextBox()->GetText(), u"");
  EXPECT_EQ(name.GetTextBox()->GetTextBox()->GetText(), u"");
  EXPECT_FALSE(Shown(text));
  EXPECT_FALSE(Shown(name));
  EXPECT_FALSE(caption.IsRunning());
}
