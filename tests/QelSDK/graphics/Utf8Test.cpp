// UTF-8 to UTF-16 by the definition of well-formed UTF-8, the code-page functions and the widening
// of 8-bit text.
#include "graphics/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/KeyboardCodePage.h"

namespace {

std::vector<uint8_t> Bytes(const char* text, size_t length) {
  return std::vector<uint8_t>(text, text + length);
}

TEST(Utf8, LegalSequencesFollowTheUnicodeDefinition) {
  struct Case {
    const char* bytes;
    int length;
    bool legal;
  };
  const Case cases[] = {
      {"A", 1, true},           {"\x7F", 1, true},         {"\x80", 1, false},        {"\xC1\x81", 2, false},
      {"\xC2\x80", 2, true},    {"\xDF\xBF", 2, true},     {"\xC3\x28", 2, false},    {"\xE0\x9F\x80", 3, false},
      {"\xE0\xA0\x80", 3, true}, {"\xED\x9F\xBF", 3, true}, {"\xEF\xBF\xBF", 3, true}, {"\xF0\x8F\x80\x80", 4, false},
      {"\xF0\x90\x80\x80", 4, true}, {"\xF4\x8F\xBF\xBF", 4, true}, {"\xF4\x90\x80\x80", 4, false},
      {"\xF5\x80\x80\x80", 4, false}, {"\xE2\x82\xC0", 3, false}, {"A", 0, false}, {"\xF8\x88\x80\x80\x80", 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "length " << c.length << " lead " << std::hex
                                    << int{static_cast<uint8_t>(c.bytes[0])});
    EXPECT_EQ(Qel::IsLegalUtf8(reinterpret_cast<const uint8_t*>(c.bytes), c.length), c.legal);
  }
}

TEST(Utf8, ConversionStopsAtTheOffendingSequence) {
  struct Case {
    const char* what;
    std::string bytes;
    bool lenient;
    size_t targetUnits;
    Qel::ConversionResult result;
    size_t consumed;
    std::u16string out;
  };
  const Case cases[] = {
      {"ascii", "abc", false, 8, Qel::kConversionOk, 3, u"abc"},
      {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", false, 8, Qel::kConversionOk, 9,
       u"\u00E9\u20AC\U0001F600"},
      {"cut before its end", "a\xE2\x82", false, 8, Qel::kSourceExhausted, 1, u"a"},
      {"illegal continuation", "ab\xC3(", false, 8, Qel::kSourceIllegal, 2, u"ab"},
      {"overlong", "a\xC0\xAF", false, 8, Qel::kSourceIllegal, 1, u"a"},
      {"a surrogate, strict", "a\xED\xA0\x80z", false, 8, Qel::kSourceIllegal, 1, u"a"},
      {"a surrogate, lenient", "a\xED\xA0\x80z", true, 8, Qel::kConversionOk, 5, u"a\uFFFDz"},
      {"target full", "abcd", false, 2, Qel::kTargetExhausted, 2, u"ab"},
      {"no room for the pair", "a\xF0\x9F\x98\x80", false, 2, Qel::kTargetExhausted, 1, u"a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<uint8_t> bytes = Bytes(c.bytes.data(), c.bytes.size());
    std::vector<char16_t> target(c.targetUnits);
    const uint8_t* source = bytes.data();
    char16_t* out = target.data();
    EXPECT_EQ(Qel::ConvertUtf8ToUtf16(&source, bytes.data() + bytes.size(), &out, target.data() + target.size(),
                                      c.lenient),
              c.result);
    EXPECT_EQ(static_cast<size_t>(source - bytes.data()), c.consumed);
    EXPECT_EQ(std::u16string(target.data(), out), c.out);
  }
}

TEST(Utf8, Utf8ToUtf16KeepsWhatConvertedBeforeAFailure) {
  std::u16string out;
  EXPECT_EQ(Qel::Utf8ToUtf16("gr\xC3\xBC\xC3\x9F", out), 0);
  EXPECT_EQ(out, u"gr\u00FC\u00DF");
  EXPECT_EQ(Qel::Utf8ToUtf16("", out), 0);
  EXPECT_EQ(out, u"");
  EXPECT_EQ(Qel::Utf8ToUtf16("ok\xE9 then", out), -1);
  EXPECT_EQ(out, u"ok");
  EXPECT_EQ(Qel::Utf8ToUtf16("cut\xE2\x82", out), -1) << "the terminator is no continuation";
  EXPECT_EQ(out, u"cut");
}

TEST(Utf8, EightBitTextIsUtf8WhenValidElseTheCodePage) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string wide;
  };
  const Case cases[] = {
      {"plain", "Hello", u"Hello"},
      {"UTF-8", "caf\xC3\xA9 \xE2\x82\xAC", u"caf\u00E9 \u20AC"},
      {"Windows-1252 is not cut at its first accent", "caf\xE9 cr\xE8me \x80", u"caf\u00E9 cr\u00E8me \u20AC"},
      {"a byte 1252 leaves undefined", "a\x81z", u"a\uFFFDz"},
      {"up to the first zero", std::string("ab\0cd", 5), u"ab"},
      {"empty", "", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Qel::Widen8BitText(c.bytes), c.wide);
  }
}

TEST(KeyboardCodePage, TheLayoutOfTheLanguageGivesWindows1252AndTheWesternCharset) {
  EXPECT_EQ(Qel::GetKeyboardCodePage(), 1252u);
  EXPECT_EQ(Qel::GetKeyboardCharset(), plat::gdi::ANSI_CHARSET);
  const std::u16string text = u"\u00E9\u20AC\u4E00";
  EXPECT_EQ(Qel::WideToKeyboardCodePage(text.data(), 3), "\xE9\x80?");
  EXPECT_EQ(Qel::WideToKeyboardCodePage(text.data(), 0), "");
}

TEST(KeyboardCodePage, ColoursBecomeBlueGreenRedColorRefs) {
  EXPECT_EQ(Qel::ColorToColorRef(Qel::Color(0x12, 0x34, 0x56, 0xFF)), 0x563412u);
  EXPECT_EQ(Qel::ColorToColorRef(Qel::Color(0xFF, 0, 0, 0)), 0x0000FFu);
}

}  // namespace
