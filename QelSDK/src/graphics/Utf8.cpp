// UTF-8 to UTF-16 conversion by the definition of well-formed UTF-8, and the widening of the
// program's 8-bit texts.
#include "graphics/Utf8.h"

#include <cstring>
#include <vector>

#include "graphics/KeyboardCodePage.h"
#include "platform/win/kernel/CodePage.h"

namespace Qel {
namespace {

// Continuation bytes after each lead byte; 4 and 5 mark leads no legal sequence starts with.
int TrailingBytes(uint8_t lead) {
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 1;
  if (lead < 0xF0) return 2;
  if (lead < 0xF8) return 3;
  if (lead < 0xFC) return 4;
  return 5;
}

constexpr char32_t kReplacement = 0xFFFD;
constexpr size_t kLongestText = 0x3FFFFFFF;

}  // namespace

bool IsLegalUtf8(const uint8_t* bytes, int length) {
  if (!bytes || length < 1 || length > 4) return false;
  for (int i = 1; i < length; ++i) {
    if (bytes[i] < 0x80 || bytes[i] > 0xBF) return false;
  }
  const uint8_t lead = bytes[0];
  if (length > 1) {
    const uint8_t second = bytes[1];
    if (lead == 0xE0 && second < 0xA0) return false;
    if (lead == 0xF0 && second < 0x90) return false;
    if (lead == 0xF4 && second > 0x8F) return false;
  }
  return !(lead >= 0x80 && lead < 0xC2) && lead <= 0xF4;
}

ConversionResult ConvertUtf8ToUtf16(const uint8_t** source, const uint8_t* sourceEnd, char16_t** target,
                                    char16_t* targetEnd, bool lenient) {
  const uint8_t* in = *source;
  char16_t* out = *target;
  ConversionResult result = kConversionOk;
  while (in < sourceEnd) {
    const int trailing = TrailingBytes(*in);
    if (trailing >= sourceEnd - in) {
      result = kSourceExhausted;
      break;
    }
    if (!IsLegalUtf8(in, trailing + 1)) {
      result = kSourceIllegal;
      break;
    }
    char32_t code = trailing == 0 ? *in : (*in & (0x3F >> trailing));
    for (int i = 1; i <= trailing; ++i) code = (code << 6) | (in[i] & 0x3F);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (surrogate || code > 0x10FFFF) {
      if (!lenient) {
        result = kSourceIllegal;
        break;
      }
      code = kReplacement;
    }
    const int units = code > 0xFFFF ? 2 : 1;
    if (targetEnd - out < units) {
      result = kTargetExhausted;
      break;
    }
    if (units == 2) {
      code -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (code >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(code);
    }
    in += trailing + 1;
  }
  *source = in;
  *target = out;
  return result;
}

int Utf8ToUtf16(const char* text, std::u16string& out) {
  out.clear();
  if (!text) return -1;
  const size_t length = std::strlen(text);
  std::vector<char16_t> buffer(2 * (length + 1) + 10);
  const auto* in = reinterpret_cast<const uint8_t*>(text);
  char16_t* target = buffer.data();
  const ConversionResult result =
      ConvertUtf8ToUtf16(&in, in + length + 1, &target, buffer.data() + buffer.size(), false);
  out.assign(buffer.data(), target);
  if (!out.empty() && out.back() == 0) out.pop_back();
  return result == kConversionOk ? 0 : -1;
}

std::u16string Widen8BitText(std::string_view text) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  std::u16string wide;
  if (text.empty()) return wide;
  std::vector<char16_t> buffer(text.size() + 1);
  const auto* in = reinterpret_cast<const uint8_t*>(text.data());
  char16_t* target = buffer.data();
  if (ConvertUtf8ToUtf16(&in, in + text.size(), &target, buffer.data() + buffer.size(), false) ==
      kConversionOk) {
    return wide.assign(buffer.data(), target);
  }
  // The conversion counts in 32 bits; no text the program reads comes near this.
  if (text.size() > kLongestText) text = text.substr(0, kLongestText);
  const unsigned codePage = GetKeyboardCodePage();
  const int count = static_cast<int>(text.size());
  const int needed = plat::win::MultiByteToWideChar(codePage, 0, text.data(), count, nullptr, 0);
  if (needed <= 0) return wide;
  wide.resize(static_cast<size_t>(needed));
  plat::win::MultiByteToWideChar(codePage, 0, text.data(), count, wide.data(), needed);
  return wide;
}

}  // namespace Qel
