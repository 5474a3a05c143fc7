// The splitter of one setting or data value into word, number, point and boolean tokens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Point2.h"

// Made on the stack for one value and read front to back. Once the tokens are used up every read
// gives its end value (null, 0, (0, 0), 0.0, false) without error.
//
// Numbers are read by fixed rules that no process locale changes: "." is the only decimal point,
// and text beyond a number's range is clamped to the range instead of being undefined.
class ValueTokenizer {
public:
  // Separators are blank, tab, comma and both parentheses; runs of them count as one.
  explicit ValueTokenizer(const char* text);
  // The tokens point into the tokenizer's own copy of the text.
  ValueTokenizer(const ValueTokenizer&) = delete;
  ValueTokenizer& operator=(const ValueTokenizer&) = delete;

  // Null at the end.
  const char* NextToken();
  // "0x" and at least one more character: hexadecimal as "0x%x" scans it (white space, a sign and a
  // second "0x" may come before the digits), as the 32-bit pattern of an i32 (0xFFFFFFFF is -1, a
  // minus negates the pattern, more digits than fit give 0xFFFFFFFF). Otherwise decimal: leading
  // white space, a sign, digits up to the first other character (0 when none), clamped to the i32
  // range.
  int32_t NextInt();
  // Two integers read as NextInt reads them, x first.
  Qel::Point2 NextPoint();
  // Decimal with an optional fraction and exponent ("0x" introduces a hexadecimal one). Only finite
  // values come out: overflow is clamped to the largest double of its sign, underflow gives 0, and
  // texts such as "inf" or "nan" are not numbers and give 0.
  double NextFloat();
  // "true" and "false" without regard to case; any other token is true when its decimal value
  // (never hexadecimal) is not 0.
  bool NextBool();

  // A whole text read as NextInt reads a decimal token, with no "0x" form: what the C library's
  // atoi gives where atoi is defined, and the nearer end of the i32 range where it is not.
  static int32_t DecimalValue(const char* text);

private:
  std::vector<const char*> m_tokens;
  uint32_t m_cursor = 0;
  std::string m_text;
};
