// Finding and changing keys in the text of a profile file without disturbing its other bytes.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/profile/ProfileText.h"

using plat::profile::ProfileText;

TEST(ProfileText, FindsTheFirstKeyOfItsSectionWithoutRegardToCase) {
  const ProfileText text(
      "graphics=9\r\n"  // before any section: belongs to none
      "[Other]\r\n"
      "graphics=8\r\n"
      "  [ CONFIG ]  \r\n"
      "; graphics=7\r\n"
      "graphics\r\n"  // no "=": no key
      "\tGraphics \t=  1  \r\n"
      "graphics=5\r\n"
      "empty=\r\n"
      "[config]\r\n"
      "late=6\r\n"
      "[Last\r\n"
      "open = yes");
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"Config", "graphics", "1"},
      {"OTHER", "GRAPHICS", "8"},
      {"Config", "empty", ""},
      {"Config", "late", "6"},
      {"Last", "open", "yes"},
      {"Config", "; graphics", std::nullopt},
      {"Config", "open", std::nullopt},
      {"", "graphics", std::nullopt},
      {"Missing", "graphics", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(text.Find(c.section, c.key), c.value);
  }
}

TEST(ProfileText, ChangesOnlyTheKeysLineOrAddsItAtTheEndOfItsSection) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"the key's line is replaced, its line end kept", "; mine\r\n[Config]\r\ngraphics = 1\r\nmem=2\r\n",
       "; mine\r\n[Config]\r\ngraphics= 2\r\nmem=2\r\n"},
      {"the last line without a line end", "[config]\nGRAPHICS=1", "[config]\ngraphics= 2"},
      {"added after the section's last line, before the blank lines", "[Config]\nmem=2\n\n[Next]\nx=1\n",
       "[Config]\nmem=2\ngraphics= 2\n\n[Next]\nx=1\n"},
      {"added to a section at the end of a text without a final line end", "[Config]\r\nmem=2",
       "[Config]\r\nmem=2\r\ngraphics= 2\r\n"},
      {"a key of the same name in another section stays", "[Other]\ngraphics=1\n",
       "[Other]\ngraphics=1\n[Config]\ngraphics= 2\n"},
      // A text without a line end takes CR LF, as the files seeded for the game have.
      {"a new section after a last line without a line end", "hdpath=x",
       "hdpath=x\r\n[Config]\r\ngraphics= 2\r\n"},
      {"an empty text", "", "[Config]\r\ngraphics= 2\r\n"},
      // A lone CR at the very end ends the last line: it gets its LF, not a second line end.
      {"a new section after a last line ended by a lone CR", "[Other]\r\nx=1\r",
       "[Other]\r\nx=1\r\n[Config]\r\ngraphics= 2\r\n"},
      {"added to a section whose last line ends in a lone CR", "[Config]\r\nmem=2\r",
       "[Config]\r\nmem=2\r\ngraphics= 2\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProfileText text(c.before);
    text.Set("Config", "graphics", " 2");
    EXPECT_EQ(text.Bytes(), c.after);
    EXPECT_EQ(text.Find("Config", "graphics"), "2");
  }
}

// Adding a section leaves every value of the text reading as it did.
TEST(ProfileText, AddingASectionChangesNoValueBeforeIt) {
  for (const std::string before :
       {"[Config]\r\ngraphics= 2\r", "[Config]\ngraphics= 2", "[Config]\r\ngraphics= 2\r\n"}) {
    SCOPED_TRACE(testing::PrintToString(before));
    ProfileText text(before);
    ASSERT_EQ(text.Find("Config", "graphics"), "2");
    text.Set("Other", "cpu", " 1000");
    EXPECT_EQ(text.Find("Config", "graphics"), "2");
    EXPECT_EQ(text.Find("Other", "cpu"), "1000");
  }
}
