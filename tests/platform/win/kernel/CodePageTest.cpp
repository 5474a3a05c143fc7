// The keyboard layout's code page and UTF-16 conversion into it.
#include <gtest/gtest.h>

#include <string>

#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/LastError.h"

using namespace plat::win;

TEST(CodePage, TheUsEnglishLayoutUsesWindows1252) {
  EXPECT_TRUE(SelectKeyboardLayoutForLanguage("ENG_USA"));
  EXPECT_FALSE(SelectKeyboardLayoutForLanguage("xx_yy"));
  EXPECT_FALSE(SelectKeyboardLayoutForLanguage(nullptr));
  const auto locale = static_cast<LCID>(reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)) & 0xFFFF);
  EXPECT_EQ(locale, 0x0409u);

  EXPECT_EQ(GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, nullptr, 0), 5);
  char text[8] = {};
  EXPECT_EQ(GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof(text)), 5);
  EXPECT_STREQ(text, "1252");
  EXPECT_EQ(GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoA(0x7777, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof(text)), 0);
}

TEST(CodePage, ConvertsUtf16IntoTheCodePageReplacingWhatItLacks) {
  struct Case {
    std::u16string wide;
    std::string expected;
    bool replaced;
  };
  const Case cases[] = {
      {u"Pilo", "Pilo", false},
      {u"Caf\u00E9 \u20AC5",
       "Caf\xE9 \x80"
       "5",
       false},
      {u"a\u4E2Db", "a?b", true},
      {u"\U0001F600!", "?!", true},                              // a surrogate pair is one character
      {std::u16string(1, char16_t(0xD800)) + u"x", "?x", true},  // a lone surrogate
      {std::u16string(1, char16_t(0xDC00)), "?", true},
  };
  for (const Case& c : cases) {
    char out[32] = {};
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(1252, 0, c.wide.data(), static_cast<int>(c.wide.size()), out,
                                            sizeof(out), nullptr, &usedDefault);
    EXPECT_EQ(std::string(out, static_cast<size_t>(written)), c.expected) << c.expected;
    EXPECT_EQ(usedDefault != FALSE, c.replaced) << c.expected;
  }
}

TEST(CodePage, ReportsSizesAndRefusesShortBuffersAndUnknownCodePages) {
  const char16_t* wide = u"abc";
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr), 4);  // with terminator
  char out[4];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, out, 4, nullptr, nullptr), 4);
  EXPECT_STREQ(out, "abc");
  EXPECT_EQ(WideCharToMultiByte(1252, 0, wide, 3, out, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(WideCharToMultiByte(1, 0, wide, 3, out, 4, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, nullptr, 3, out, 4, nullptr, nullptr), 0);
  const char star = '*';
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u4E2D", 1, out, 4, &star, nullptr), 1);
  EXPECT_EQ(out[0], '*');
}

TEST(CodePage, GivesCodePageTextAsUtf8) {
  struct Case {
    UINT codePage;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {1252, "Pilo", "Pilo"},
      {CP_ACP, "caf\xE9", "caf\xC3\xA9"},
      {1252, "\x80 \x96 \x9F", "\xE2\x82\xAC \xE2\x80\x93 \xC5\xB8"},  // not Latin-1
      {1252, "a\x81z", "a\xEF\xBF\xBDz"},                              // a byte Windows-1252 leaves undefined
      {CP_UTF8, "caf\xC3\xA9", "caf\xC3\xA9"},
      {CP_UTF8, "a\xC3", "a\xEF\xBF\xBD"},  // cut inside a character
      {CP_UTF8, "\xE9x", "\xEF\xBF\xBDx"},
      {1, "Pilo", ""},  // no such code page
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.codePage << " " << testing::PrintToString(c.text));
    EXPECT_EQ(CodePageToUtf8(c.codePage, c.text.c_str()), c.expected);
  }
  EXPECT_EQ(CodePageToUtf8(1252, nullptr), "");
}

TEST(CodePage, ConvertsCodePageBytesIntoUtf16AndBack) {
  struct Case {
    UINT codePage;
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {1252, "Pilo", u"Pilo"},
      {1252, "R\xE9glages \x80", u"R\u00E9glages \u20AC"},
      {1252, "a\x81z", u"a\uFFFDz"},  // a byte Windows-1252 leaves undefined
      {CP_UTF8, "R\xC3\xA9gl\xE2\x82\xAC", u"R\u00E9gl\u20AC"},
      {CP_UTF8, "x\xC3", u"x\uFFFD"},  // cut inside a character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const int count = static_cast<int>(c.bytes.size());
    ASSERT_EQ(MultiByteToWideChar(c.codePage, 0, c.bytes.data(), count, nullptr, 0),
              static_cast<int>(c.expected.size()));
    std::u16string wide(c.expected.size(), u'\0');
    ASSERT_EQ(
        MultiByteToWideChar(c.codePage, 0, c.bytes.data(), count, wide.data(), static_cast<int>(wide.size())),
        static_cast<int>(c.expected.size()));
    EXPECT_EQ(wide, c.expected);
  }
  // Through UTF-16 into UTF-8, the way text in the code page is handed to a UTF-8 toolkit.
  WCHAR wide[8];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xE9t\xE9", -1, wide, 8), 4);
  char utf8[16];
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr), 6);
  EXPECT_STREQ(utf8, "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, wide, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(7777, 0, "abc", 3, wide, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
