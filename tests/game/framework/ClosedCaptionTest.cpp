// Closed captions: caption files in both encodings, the pages timed to the sound on the clock of
// their owner, the global switch, and the captioned sound that shows and hides its line.
#include <gtest/gtest.h>

#include <algorithm>
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
  EXPECT_EQ(EntriesOf(caption), (std::vector<Entry>{{7, u"Pilo", u"from the first"},
                                                    {7, u"Nana", u"from the second"},
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
      {"a zero byte ends the line",
       std::string("5 Pilo Hi\0 there\n6 Nana Yo", 26),
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

class CaptionsTraced : public Captions {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

// A damaged caption file is named once on the trace with what is wrong with it; whatever lines
// still parse are kept, as they are from any file. A missing file says nothing.
TEST_F(CaptionsTraced, ADamagedCaptionFileIsNamedOnceWithWhatIsWrong) {
  std::string noise;
  for (int i = 0; i < 600; ++i) noise += static_cast<char>((i * 7919 + 13) % 251);
  struct Case {
    const char* what;
    std::string bytes;  // empty: a folder stands where the file would be
    bool loads;
    std::string problem;  // what follows the file's name on the line; empty: no line
    std::vector<Entry> entries;
  };
  const std::vector<Case> cases = {
      {"random bytes", noise, true, ": it is not text: byte 10 is 0x00", {}},
      {"random bytes after a good line",
       "12 Pilo Hello\r\n" + noise.substr(7),
       true,
       ": it is not text: byte 18 is 0x00",
       {}},
      {"cut in the middle of a line",
       "12 Pilo Hello\r\n13 Pilo Goo",
       true,
       ": it may be cut short: its last line has no line end",
       {{12, u"Pilo", u"Hello"}, {13, u"Pilo", u"Goo"}}},
      {"UTF-16 cut inside a character",
       Utf16File(u"12 Pilo Hello\n") + "1",
       true,
       ": it is cut short: it ends in half a character",
       {{12, u"Pilo", u"Hello"}}},
      {"UTF-16 cut in the middle of a line",
       Utf16File(u"12 Pilo Hello\n13 Pi"),
       true,
       ": it may be cut short: its last line has no line end",
       {{12, u"Pilo", u"Hello"}, {13, u"Pi", u""}}},
      {"UTF-16 with half a surrogate pair",
       Utf16File(u"12 Pilo H\xD800i\n"),
       true,
       ": it is not UTF-16 text: unit 10 is 0xD800",
       {}},
      {"a folder", "", false, " is a folder; its captions are not shown", {}},
      {"8-bit text", "12 Pilo Hello\r\n", true, "", {{12, u"Pilo", u"Hello"}}},
      {"UTF-16 text beyond the basic plane",
       Utf16File(u"12 Pilo \xD83D\xDE00\n"),
       true,
       "",
       {{12, u"Pilo", u"\xD83D\xDE00"}}},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.what);
    const std::string name = "damaged" + std::to_string(i);
    if (c.bytes.empty()) {
      stage.AddFolder(name + ".txt");
    } else {
      stage.AddText(name, c.bytes);
    }
    ClosedCaption caption(nullptr, &this->name, &text, true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(caption.Load(name.c_str()), c.loads);
    const std::string trace = testing::internal::GetCapturedStderr();
    const std::string file = (stage.Folder() / (name + ".txt")).string();
    EXPECT_EQ(trace, c.problem.empty() ? "" : "WARN: ClosedCaption: caption file " + file + c.problem + "\n");
    if (!c.entries.empty()) {
      EXPECT_EQ(EntriesOf(caption), c.entries);
    }
  }
  ClosedCaption caption(nullptr, &this->name, &text, true);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(caption.Load("missing"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
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

namespace {

struct PageCase {
  const char* name;
  const char* text;
  int32_t durationMs;
  int32_t pages;
  // Each page stays its share of the sound and the grace; it turns at the first tick past that.
  uint32_t pageMs;
};

void PrintTo(const PageCase& c, std::ostream* out) {
  *out << c.name;
}

class CaptionPages : public Captions, public testing::WithParamInterface<PageCase> {};

}  // namespace

// A caption of p pages stays up for the duration and 500 ms a page, on 1 ms ticks.
TEST_P(CaptionPages, EachPageStaysItsShareOfTheSoundAndTheGrace) {
  const PageCase& c = GetParam();
  OneWordAPage();
  stage.AddText("room", std::string("4503 Pilo ") + c.text + "\n");
  ClosedCaption caption(nullptr, &name, &text, true);
  ASSERT_TRUE(caption.Load("room"));
  caption.Show(4503, c.durationMs);
  ASSERT_EQ(text.GetTextBox()->GetPageCount(), c.pages);
  EXPECT_EQ(caption.GetPageTime(), c.durationMs / c.pages);
  EXPECT_TRUE(caption.IsRunning());
  EXPECT_TRUE(Shown(text));
  EXPECT_TRUE(Shown(name));
  EXPECT_EQ(name.GetText(), "Pilo");

  std::vector<uint32_t> changes;
  std::vector<uint32_t> expected;
  for (int32_t page = 1; page <= c.pages; ++page) expected.push_back(static_cast<uint32_t>(page) * c.pageMs);
  int32_t page = caption.GetCurrentPage();
  EXPECT_EQ(page, 1);
  for (uint32_t elapsed = 1; elapsed <= expected.back() + 10 && caption.IsRunning(); ++elapsed) {
    test::ObjectStage::Tick(1);
    if (caption.GetCurrentPage() != page || !caption.IsRunning()) {
      changes.push_back(elapsed);
      page = caption.GetCurrentPage();
      if (caption.IsRunning()) {
        EXPECT_EQ(text.GetTextBox()->GetScrollLine(), page - 1) << "page " << page << " shows its own line";
      }
    }
  }
  EXPECT_EQ(changes, expected);
  EXPECT_FALSE(caption.IsRunning());
  EXPECT_FALSE(Shown(text));
  EXPECT_FALSE(Shown(name));
  EXPECT_EQ(text.GetText(), "");
}

INSTANTIATE_TEST_SUITE_P(Durations, CaptionPages,
                         testing::Values(PageCase{"ThreePagesOf3000ms", "aaaaa bbbbb ccccc", 3000, 3, 1501},
                                         PageCase{"ThreePagesOfNoTime", "aaaaa bbbbb ccccc", 0, 3, 501},
                                         PageCase{"OnePageOf1000ms", "aaaaa", 1000, 1, 1501},
                                         PageCase{"TwoPagesOf1001ms", "aaaaa bbbbb", 1001, 2, 1001}),
                         [](const testing::TestParamInfo<PageCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Captions, WithCaptionsOffNothingShowsAndNothingTicks) {
  stage.AddText("room", "12 Pilo Hello\n");
  ClosedCaption caption(nullptr, &name, &text, true);
  ASSERT_TRUE(caption.Load("room"));
  gCaptionsOn = 0;
  caption.Show(12, 1000);
  EXPECT_FALSE(caption.IsRunning());
  EXPECT_FALSE(Shown(text));
  EXPECT_FALSE(Shown(name));
  EXPECT_EQ(text.GetText(), "");
  EXPECT_EQ(caption.GetCurrentPage(), 0);
}

TEST_F(Captions, AnUnknownNumberClearsAndHidesTheBar) {
  stage.AddSprite("ccBar");
  Ambient bar("ccBar", "ccBar", 0);
  stage.AddText("room", "12 Pilo Hello\n");
  ClosedCaption caption(&bar, &name, &text, true);
  EXPECT_FALSE(Shown(bar));
  ASSERT_TRUE(caption.Load("room"));
  caption.Show(12, 1000);
  EXPECT_TRUE(Shown(bar));
  EXPECT_EQ(text.GetText(), "Hello");
  caption.Show(99, 1000);
  EXPECT_FALSE(Shown(bar));
  EXPECT_FALSE(Shown(text));
  EXPECT_FALSE(Shown(name));
  EXPECT_EQ(text.GetText(), "");
  EXPECT_EQ(name.GetText(), "");
}

// A node's caption stands still with the game; an overlay's runs on while the game is paused.
TEST_F(Captions, NodeCaptionsFollowTheGameClockAndOverlayCaptionsTheApplicationClock) {
  stage.AddText("room", "12 Pilo Hello\n");
  TextObject overlayText{"overlayText", "courier", 10};
  ClosedCaption node(nullptr, &name, &text, true);
  ClosedCaption overlay(nullptr, nullptr, &overlayText, false);
  EXPECT_TRUE(node.UsesGameClock());
  EXPECT_FALSE(overlay.UsesGameClock());
  ASSERT_TRUE(node.Load("room"));
  ASSERT_TRUE(overlay.Load("room"));
  node.Show(12, 1000);
  overlay.Show(12, 1000);
  GetApp().PauseGame();
  test::ObjectStage::Tick(1501);
  EXPECT_FALSE(overlay.IsRunning());
  EXPECT_FALSE(Shown(overlayText));
  EXPECT_TRUE(node.IsRunning());
  EXPECT_TRUE(Shown(text));
  GetApp().ResumeGame();
  test::ObjectStage::Tick(1500);
  EXPECT_TRUE(node.IsRunning());
  test::ObjectStage::Tick(1);
  EXPECT_FALSE(node.IsRunning());
  EXPECT_FALSE(Shown(text));
}

// 8-bit captions reach the box widened: UTF-8 as UTF-8, anything else in the code page, so an
// accented line is shown whole; a UTF-16 file's entry is shown as it stands.
TEST_F(Captions, AccentedCaptionsAreShownWholeFromEveryEncoding) {
  stage.AddText("utf8", "1 Zo\xC3\xA9 caf\xC3\xA9 cr\xC3\xA8me\n");
  stage.AddText("cp1252", "1 Zo\xE9 caf\xE9 cr\xE8me\n");
  stage.AddText("utf16", Utf16File(u"1 Zo\u00E9 caf\u00E9 cr\u00E8me\n"));
  for (const char* file : {"utf8", "cp1252", "utf16"}) {
    SCOPED_TRACE(file);
    ClosedCaption caption(nullptr, &name, &text, true);
    ASSERT_TRUE(caption.Load(file));
    caption.Show(1, 1000);
    EXPECT_EQ(text.GetTextBox()->GetTextBox()->GetText(), u"caf\u00E9 cr\u00E8me");
    EXPECT_EQ(name.GetTextBox()->GetTextBox()->GetText(), u"Zo\u00E9");
  }
}

TEST_F(Captions, ACaptionedSoundShowsItsLineForItsLengthAndStopHidesIt) {
  test::SoundStage sounds;
  sounds.AddWave("line", test::Tone(500));
  stage.AddText("room", "12 Pilo Hello\n");
  ClosedCaption caption(nullptr, &name, &text, true);
  ASSERT_TRUE(caption.Load("room"));

  CCSound line("line", "line", &caption, 12, true, false);
  ASSERT_EQ(line.GetEngineSound()->GetLengthMs(), 500u);
  line.Play(false, true);
  EXPECT_TRUE(line.GetEngineSound()->IsPlaying());
  EXPECT_TRUE(caption.IsRunning());
  EXPECT_TRUE(Shown(text));
  EXPECT_EQ(text.GetText(), "Hello");
  EXPECT_EQ(caption.GetPageTime(), 500 / std::max(text.GetTextBox()->GetPageCount(), 1));
  line.Stop();
  EXPECT_FALSE(line.GetEngineSound()->IsPlaying());
  EXPECT_FALSE(caption.IsRunning());
  EXPECT_FALSE(Shown(text));

  // A sound without a caption display, or with a line the display lacks, only plays.
  CCSound plain("plain", "line", nullptr, 12, true, false);
  plain.Play(false, true);
  EXPECT_TRUE(plain.GetEngineSound()->IsPlaying());
  EXPECT_FALSE(Shown(text));
  plain.Stop();
  CCSound unknown("unknown", "line", &caption, 99, true, false);
  unknown.Play(false, true);
  EXPECT_TRUE(unknown.GetEngineSound()->IsPlaying());
  EXPECT_FALSE(Shown(text));
  EXPECT_FALSE(caption.IsRunning());
}
