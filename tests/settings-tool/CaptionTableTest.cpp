// The caption table: the file's format, its faults bounded, code-page values, the shipped file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CaptionFile.h"
#include "settings-tool/CaptionTable.h"
#include "support/TempDir.h"

namespace {

struct Expected {
  const char* key;
  const char* value;  // null: the key is not in the table
};

void ExpectValues(const CaptionTable& table, std::initializer_list<Expected> expected) {
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.key);
    const char* value = table.GetString(e.key, nullptr);
    if (e.value) {
      ASSERT_NE(value, nullptr);
      EXPECT_STREQ(value, e.value);
    } else {
      EXPECT_EQ(value, nullptr) << value;
    }
  }
}

CaptionTable LoadBytes(const std::string& bytes) {
  test::WriteFile("PiloConfig.ini", bytes);
  return CaptionTable("PiloConfig.ini");
}

}  // namespace

TEST(CaptionTable, ReadsKeysAndValuesAsTheFileHoldsThem) {
  const CaptionTable table =
      LoadBytes(test::CaptionFileBytes(u"; a comment=with an equals sign\r\n"
                                       u"[Section=1]\r\n"
                                       u"\r\n"
                                       u"  GfxHigh \t= \tHigh detail \r\n"
                                       u"gfxhigh=second\r\n"
                                       u"Empty=\r\n"
                                       u"=no key\r\n"
                                       u"Inner=a=b\r\n"
                                       u"Last=no final line end"));
  EXPECT_EQ(table.GetCodePage(), 1252);
  ExpectValues(table, {{"GfxHigh", "High detail"},  // the first of two keys wins
                       {"GFXHIGH", "High detail"},
                       {"; a comment", nullptr},
                       {"[Section", nullptr},
                       {"Empty", ""},
                       {"", "no key"},
                       {"Inner", "a=b"},
                       {"Last", "no final line end"}});
  EXPECT_STREQ(table.GetString("Missing", "template text"), "template text");
}

TEST(CaptionTable, ALineWithoutAnEqualsSignIsSkippedAndEndsAtItsLineEnd) {
  // Read past its line end, the first line would take "OkBut" as part of its key.
  const CaptionTable table =
      LoadBytes(test::CaptionFileBytes(u"no equals sign here\r\nOkBut=OK\r\nstray\r\n"));
  ExpectValues(table, {{"OkBut", "OK"}, {"no equals sign here\r\nOkBut", nullptr}, {"stray", nullptr}});
}

TEST(CaptionTable, ReadsOnlyWithinTheFileWhateverItsLength) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* okBut;  // null: no such key
  };
  const Case cases[] = {
      {"empty", "", nullptr},
      {"one byte", "\xFF", nullptr},
      {"only the mark", "\xFF\xFE", nullptr},
      {"an odd length: the half unit is dropped", test::CaptionFileBytes(u"OkBut=Go") + "!", "Go"},
      {"cut inside the value", test::CaptionFileBytes(u"OkBut=Go").substr(0, 16), "G"},
      {"cut inside the key", test::CaptionFileBytes(u"OkBut=Go").substr(0, 7), nullptr},
      {"a lone LF ends a line too", test::CaptionFileBytes(u"X=1\nOkBut=Go\n"), "Go"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CaptionTable table = LoadBytes(c.bytes);
    ExpectValues(table, {{"OkBut", c.okBut}});
  }
}

TEST(CaptionTable, ConvertsValuesIntoTheCodePageAndCutsThemAt255Bytes) {
  const std::u16string longValue(300, u'x');
  const CaptionTable table =
      LoadBytes(test::CaptionFileBytes(u"WindowTitle=R\u00E9glages de Pilo \u20AC\r\nGfxLow=\u4E2D\r\nLong=" +
                                       longValue + u"\r\nCount= 42 \r\nWord=abc\r\n"));
  ExpectValues(table, {{"WindowTitle", "R\xE9glages de Pilo \x80"}, {"GfxLow", "?"}});
  EXPECT_EQ(std::string(table.GetString("Long", "")), std::string(255, 'x'));
  EXPECT_EQ(table.GetInt("Count", 7), 42);
  EXPECT_EQ(table.GetInt("Word", 7), 0);
  EXPECT_EQ(table.GetInt("Missing", -7), -7);
}

TEST(CaptionTable, AMissingFileIsReportedAndLeavesTheTableEmpty) {
  testing::internal::CaptureStderr();
  const CaptionTable table("PiloConfig.ini");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Can't open config file PiloConfig.ini\n");
  EXPECT_STREQ(table.GetString("OkBut", "OK"), "OK");
}

// The working folder's caption file wins; without one (or with a folder of its name) the tool reads
// the one beside the program, so it shows its texts wherever it is started.
TEST(CaptionTable, FindsTheFileInTheWorkingFolderElseBesideTheProgram) {
  const std::string beside =
      (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "PiloConfig.ini").string();
  struct Case {
    const char* name;
    void (*prepare)();
    std::string found;
  };
  const Case cases[] = {
      {"a file in the working folder", [] { test::WriteFile("PiloConfig.ini", "x"); }, "PiloConfig.ini"},
      {"none", [] {}, beside},
      {"a folder of that name", [] { std::filesystem::create_directory("PiloConfig.ini"); }, beside},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all("PiloConfig.ini");
    c.prepare();
    EXPECT_EQ(CaptionTable::FindFile("PiloConfig.ini"), c.found);
  }
  std::filesystem::remove_all("PiloConfig.ini");
}

TEST(CaptionTable, TheShippedFileHoldsTheTemplatesTexts) {
  const CaptionTable table(PILO_CAPTION_FILE);
  ExpectValues(table,
               {{"WindowTitle", "Brelmar Configuration"},
                {"GfxBox", "Graphics Detail"},
                {"GfxHigh", "High"},
                {"GfxMed", "Medium"},
                {"GfxLow", "Low"},
                {"GfxHighDesc",
                 "Graphics are drawn with hardware alpha blending.  This option is best suited for Pentium "
                 "III (or later) computers."},
                {"GfxMedDesc",
                 "Graphics are drawn with software alpha blending.  Use this option if your computer has "
                 "problems in high detail mode."},
                {"GfxLowDesc",
                 "Graphics are drawn without alpha blending.  This offers the best performance for older "
                 "Pentium II computers."},
                {"MusicBox", "Music Playback"},
                {"MusicStream", "Stream off disk"},
                {"MusicDesc", "Streaming off disk is faster but may cause skipping on slower computers."},
                {"OkBut", "OK"},
                {"CancelBut", "Cancel"}});
  const std::string bytes = test::ReadFile(PILO_CAPTION_FILE);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.size() % 2, 0u);
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));
}
