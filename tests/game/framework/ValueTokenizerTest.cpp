// The value tokenizer: splitting, integers, floats, booleans and reading past the last token.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "framework/ValueTokenizer.h"

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();
constexpr double kMaxDouble = std::numeric_limits<double>::max();

std::vector<std::string> AllTokens(const char* text) {
  ValueTokenizer tokens(text);
  std::vector<std::string> out;
  while (const char* token = tokens.NextToken()) out.emplace_back(token);
  return out;
}

}  // namespace

TEST(ValueTokenizer, SplitsAtRunsOfBlanksTabsCommasAndParentheses) {
  const struct {
    const char* text;
    std::vector<std::string> tokens;
  } cases[] = {
      {"(12, 40)", {"12", "40"}},
      {"", {}},
      {nullptr, {}},
      {" \t,() ,,", {}},
      {"word", {"word"}},
      {"a b\tc,d(e)f", {"a", "b", "c", "d", "e", "f"}},
      {"  lead and trail\t\t", {"lead", "and", "trail"}},
      {"c:\\pilo\\data x=y;z", {"c:\\pilo\\data", "x=y;z"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AllTokens(c.text), c.tokens) << (c.text ? c.text : "(null)");
  }
}

TEST(ValueTokenizer, ReadsIntegersDecimalOrHexadecimalAndClampsOutOfRange) {
  const struct {
    const char* token;
    int32_t value;
  } cases[] = {
      {"42", 42},
      {"-17", -17},
      {"+5", 5},
      {"007", 7},
      {"12abc", 12},
      {"abc", 0},
      {"-", 0},
      {"--1", 0},
      {"2147483647", kMaxInt},
      {"2147483648", kMaxInt},
      {"99999999999999999999999999", kMaxInt},
      {"-2147483648", kMinInt},
      {"-2147483649", kMinInt},
      {"-99999999999999999999999999", kMinInt},
      {"0x1F", 31},
      {"0x1f", 31},
      {"0X1F", 0},  // only a lower-case x marks hexadecimal
      {"0x", 0},
      {"0xg", 0},
      {"0x10zz", 16},
      {"0x7fffffff", kMaxInt},
      {"0xFFFFFFFF", -1},  // colours are written as their bit pattern
      {"0xff00ff00", static_cast<int32_t>(0xff00ff00u)},
      {"0x123456789", -1},
      // After the "0x" the digits are read as a "%x" scan reads them: white space, one sign and one
      // more "0x" or "0X" may come first, and a minus sign negates the 32-bit pattern.
      {"0x-1", -1},
      {"0x-5", -5},
      {"0x+1f", 31},
      {"0x0x1f", 31},
      {"0x0X1f", 31},
      {"0x-0x5", -5},
      {"0x\v-5", -5},
      {"0x-FFFFFFFF", 1},
      {"0x-80000000", kMinInt},
      {"0x-123456789", -1},  // too many digits whatever the sign
      {"0x0xg", 0},
      {"0x0x0x1", 0},  // one prefix only: the digit 0, then an "x" that ends the number
      {"0x-", 0},
      {"0x--5", 0},
      {"0x+-5", 0},
      {"0x-\v5", 0},
      {"0x-g", 0},
  };
  for (const auto& c : cases) {
    ValueTokenizer tokens(c.token);
    EXPECT_EQ(tokens.NextInt(), c.value) << c.token;
  }
}

TEST(ValueTokenizer, ReadsPointsFromTwoIntegers) {
  const struct {
    const char* text;
    Qel::Point2 point;
  } cases[] = {
      {"(3,-4)", {3, -4}}, {"( 12 , 40 )", {12, 40}}, {"(0x10, 99999999999)", {16, kMaxInt}}, {"(7)", {7, 0}},
      {"", {0, 0}},
  };
  for (const auto& c : cases) {
    ValueTokenizer tokens(c.text);
    const Qel::Point2 point = tokens.NextPoint();
    EXPECT_EQ(point, c.point) << c.text << " gave " << point.X() << ", " << point.Y();
  }
}

TEST(ValueTokenizer, ReadsFloatsWithAPointAndOnlyFiniteResults) {
  const std::string tiny = "0." + std::string(400, '0') + "1";
  const std::string huge = "1" + std::string(400, '0');
  const struct {
    const char* token;
    double value;
  } cases[] = {
      {"1.5", 1.5},
      {"-0.25", -0.25},
      {"+2", 2.0},
      {"1e3", 1000.0},
      {"2.5E-1", 0.25},
      {".5", 0.5},
      {"5.", 5.0},
      {"3.75abc", 3.75},
      {"1e", 1.0},
      {"abc", 0.0},
      {"-", 0.0},
      {"+-1", 0.0},
      {"0x10", 16.0},
      {"0x1p3", 8.0},
      {"0x", 0.0},
      {"1e400", kMaxDouble},
      {"-1e400", -kMaxDouble},
      {huge.c_str(), kMaxDouble},
      {"1e-400", 0.0},
      {tiny.c_str(), 0.0},
      {"inf", 0.0},
      {"-infinity", 0.0},
      {"nan", 0.0},
  };
  for (const auto& c : cases) {
    ValueTokenizer tokens(c.token);
    EXPECT_EQ(tokens.NextFloat(), c.value) << c.token;
  }
}

namespace {

// Switches the process to a decimal-comma locale: an installed one, else one compiled into the test's
// working folder with localedef (a path, so that the system archive is never touched). False when
// neither is possible.
bool UseDecimalCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name)) return true;
  }
  if (std::system("localedef -i de_DE -f UTF-8 ./de_DE.UTF-8 >/dev/null 2>&1") != 0) return false;
  ::setenv("LOCPATH", std::filesystem::current_path().c_str(), 1);
  return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

}  // namespace

TEST(ValueTokenizer, FloatsIgnoreTheProcessLocale) {
  if (!UseDecimalCommaLocale()) GTEST_SKIP() << "no decimal-comma locale is available";
  ASSERT_EQ(std::strtod("1,5", nullptr), 1.5) << "the locale in use does not read a decimal comma";
  ValueTokenizer tokens("1.5 2.25e1");
  EXPECT_EQ(tokens.NextFloat(), 1.5);
  EXPECT_EQ(tokens.NextFloat(), 22.5);
  std::setlocale(LC_ALL, "C");
}

TEST(ValueTokenizer, ReadsBooleansAsWordsOrDecimalNumbers) {
  const struct {
    const char* token;
    bool value;
  } cases[] = {
      {"TRUE", true},   {"true", true}, {"tRuE", true}, {"false", false},
      {"FALSE", false}, {"1", true},    {"-3", true},   {"2abc", true},
      {"0", false},     {"no", false},  {"yes", false}, {"0x1", false},  // hexadecimal is not read here
  };
  for (const auto& c : cases) {
    ValueTokenizer tokens(c.token);
    EXPECT_EQ(tokens.NextBool(), c.value) << c.token;
  }
}

TEST(ValueTokenizer, EachReadConsumesItsTokensInOrder) {
  ValueTokenizer tokens("(1, 2) 0x10 true 2.5 word");
  EXPECT_EQ(tokens.NextPoint(), Qel::Point2(1, 2));
  EXPECT_EQ(tokens.NextInt(), 16);
  EXPECT_TRUE(tokens.NextBool());
  EXPECT_EQ(tokens.NextFloat(), 2.5);
  EXPECT_STREQ(tokens.NextToken(), "word");
  EXPECT_EQ(tokens.NextToken(), nullptr);
}

TEST(ValueTokenizer, RunningOutGivesEndValuesEveryTime) {
  ValueTokenizer tokens("7");
  EXPECT_EQ(tokens.NextInt(), 7);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(tokens.NextToken(), nullptr);
    EXPECT_EQ(tokens.NextInt(), 0);
    EXPECT_EQ(tokens.NextFloat(), 0.0);
    EXPECT_FALSE(tokens.NextBool());
    EXPECT_EQ(tokens.NextPoint(), Qel::Point2());
  }
}
