// UTF-8 to UTF-16 conversion by the definition of well-formed UTF-8 (RFC 3629), and the widening
// of the program's 8-bit texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Qel {

enum ConversionResult {
  kConversionOk = 0,
  kSourceExhausted = 1,  // the last sequence runs past the end of the source
  kTargetExhausted = 2,
  kSourceIllegal = 3,
};

// length 1 to 4: the bytes of one sequence, lead byte first.
bool IsLegalUtf8(const uint8_t* bytes, int length);

// Converts [*source, sourceEnd) into [*target, targetEnd), advancing both. Lenient: surrogate code
// points and values above 0x10FFFF become U+FFFD instead of failing. On a failure *source is left at
// the start of the offending sequence.
ConversionResult ConvertUtf8ToUtf16(const uint8_t** source, const uint8_t* sourceEnd, char16_t** target,
                                    char16_t* targetEnd, bool lenient);

// The string and its terminator in strict mode; out is what converted before the conversion
// stopped (without the terminator). 0 on success, -1 otherwise.
int Utf8ToUtf16(const char* text, std::u16string& out);

// 8-bit text as the program reads it: valid UTF-8 is decoded as UTF-8, anything else in the
// program's code page (Windows-1252 for "eng_usa"), so an accented line is never cut at its first
// accent. Stops at the first zero byte.
std::u16string Widen8BitText(std::string_view text);

}  // namespace Qel
