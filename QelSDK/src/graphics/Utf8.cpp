// UTF-8 to UTF-16 conversion and the widening of the program's 8-bit texts.
#include "graphics/Utf8.h"

namespace Qel {

bool IsLegalUtf8(const uint8_t*, int) { return false; }
ConversionResult ConvertUtf8ToUtf16(const uint8_t**, const uint8_t*, char16_t**, char16_t*, bool) {
  return kSourceIllegal;
}
int Utf8ToUtf16(const char*, std::u16string& out) {
  out.clear();
  return -1;
}
std::u16string Widen8BitText(std::string_view) { return {}; }

}  // namespace Qel
