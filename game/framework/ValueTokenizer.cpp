// The splitter of one setting or data value into word, number, point and boolean tokens.
#include "framework/ValueTokenizer.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>
#include <system_error>

#include "platform/win/kernel/AsciiCase.h"

namespace {

constexpr std::string_view kSeparators = " \t,()";

bool IsSeparator(char c) {
  return kSeparators.find(c) != std::string_view::npos;
}

// The white space the C number readers skip, without asking the locale.
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int32_t ReadDecimal(const char* p) {
  while (IsCSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  int64_t magnitude = 0;
  for (; IsDigit(*p); ++p) magnitude = std::min(magnitude * 10 + (*p - '0'), limit);
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// The text is read as a scan with "%x" into an i32 reads it: white space, one sign and one "0x" or
// "0X" may come before the digits, the result is a 32-bit pattern (0xFFFFFFFF is -1) and a minus
// negates that pattern. More digits than fit saturate at all bits set, whatever the sign, rather
// than wrapping into some unrelated value. No digit at all gives 0.
int32_t ReadHexadecimal(const char* p) {
  while (IsCSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  // The prefix's "0" is a digit in its own right: "0x" with nothing after it reads as 0.
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
  constexpr uint64_t kAllBits = 0xFFFFFFFFu;
  uint64_t value = 0;
  for (int digit = HexDigit(*p); digit >= 0; digit = HexDigit(*++p)) {
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > kAllBits) return -1;
  }
  const uint32_t pattern = static_cast<uint32_t>(value);
  return static_cast<int32_t>(negative ? 0u - pattern : pattern);
}

// Whether a number that does not fit a double lies above its range rather than below it: the
// position of its first significant digit plus its exponent, in the base of that exponent.
bool IsAboveRange(const char* begin, const char* end, bool hexadecimal) {
  const char exponentMark = hexadecimal ? 'p' : 'e';
  int64_t integerDigits = 0;
  int64_t leadingFractionZeros = 0;
  bool significant = false;
  bool fraction = false;
  const char* p = begin;
  for (; p != end && plat::AsciiToLower(*p) != exponentMark; ++p) {
    if (*p == '.') {
      fraction = true;
    } else if (significant || *p != '0') {
      significant = true;
      if (!fraction) ++integerDigits;
    } else if (fraction) {
      ++leadingFractionZeros;
    }
  }
  const int64_t exponent = p != end ? ReadDecimal(p + 1) : 0;
  const int64_t position = integerDigits > 0 ? integerDigits : -leadingFractionZeros;
  return (hexadecimal ? position * 4 : position) + exponent > 0;
}

double ReadFloat(const char* text) {
  const char* p = text;
  while (IsCSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';

  bool hexadecimal = false;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && (p[2] == '.' || HexDigit(p[2]) >= 0)) {
    hexadecimal = true;
    p += 2;
  }
  // from_chars would also take a second sign and the words "inf" and "nan"; neither is a number here.
  const bool startsNumber = *p == '.' || (hexadecimal ? HexDigit(*p) >= 0 : IsDigit(*p));
  if (!startsNumber) return 0.0;

  const char* end = p + std::strlen(p);
  double value = 0.0;
  const auto [stop, error] =
      std::from_chars(p, end, value, hexadecimal ? std::chars_format::hex : std::chars_format::general);
  if (error == std::errc::invalid_argument) return 0.0;
  if (error == std::errc::result_out_of_range) {
    value = IsAboveRange(p, stop, hexadecimal) ? std::numeric_limits<double>::max() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

ValueTokenizer::ValueTokenizer(const char* text) : m_text(text ? text : "") {
  char* const data = m_text.data();
  const size_t size = m_text.size();
  size_t i = 0;
  while (i < size) {
    while (i < size && IsSeparator(data[i])) data[i++] = '\0';
    if (i == size) break;
    m_tokens.push_back(data + i);
    while (i < size && !IsSeparator(data[i])) ++i;
  }
}

int32_t ValueTokenizer::DecimalValue(const char* text) {
  return text ? ReadDecimal(text) : 0;
}

const char* ValueTokenizer::NextToken() {
  if (m_cursor >= m_tokens.size()) return nullptr;
  return m_tokens[m_cursor++];
}

int32_t ValueTokenizer::NextInt() {
  const char* token = NextToken();
  if (!token) return 0;
  if (std::strlen(token) >= 3 && token[0] == '0' && token[1] == 'x') return ReadHexadecimal(token + 2);
  return ReadDecimal(token);
}

Qel::Point2 ValueTokenizer::NextPoint() {
  const int32_t x = NextInt();
  const int32_t y = NextInt();
  return Qel::Point2(x, y);
}

double ValueTokenizer::NextFloat() {
  const char* token = NextToken();
  return token ? ReadFloat(token) : 0.0;
}

bool ValueTokenizer::NextBool() {
  const char* token = NextToken();
  if (!token) return false;
  if (plat::EqualsIgnoringCase(token, "true")) return true;
  if (plat::EqualsIgnoringCase(token, "false")) return false;
  return ReadDecimal(token) != 0;
}
