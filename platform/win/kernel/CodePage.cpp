// The keyboard layout, its locale's ANSI code page and UTF-16 to code-page text conversion.
#include "platform/win/kernel/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/LastError.h"

namespace plat::win {
namespace {

struct LanguageLayout {
  const char* folder;
  LCID locale;
  UINT codePage;
};

// The language folders of the game's data and the layout each implies.
constexpr LanguageLayout kLayouts[] = {
    {"eng_usa", 0x0409, 1252},
};

const LanguageLayout* gLayout = &kLayouts[0];

UINT CodePageOfLocale(LCID locale) {
  for (const LanguageLayout& layout : kLayouts) {
    if (layout.locale == locale) return layout.codePage;
  }
  return 0;
}

std::string IconvName(UINT codePage) {
  if (codePage == CP_ACP) codePage = gLayout->codePage;
  if (codePage == CP_UTF8) return "UTF-8";
  return "CP" + std::to_string(codePage);
}

// Converts the UTF-16 units into the code page, one character at a time so that a character the
// code page lacks (or a lone surrogate) costs only itself.
bool Convert(iconv_t converter, const WCHAR* wide, size_t count, char replacement, std::string& out,
             bool& usedDefault) {
  size_t i = 0;
  while (i < count) {
    size_t units = 1;
    const WCHAR unit = wide[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      units = 2;
    }
    char in[4];
    for (size_t u = 0; u < units; ++u) {
      in[2 * u] = static_cast<char>(wide[i + u] & 0xFF);
      in[2 * u + 1] = static_cast<char>(wide[i + u] >> 8);
    }
    char buffer[8];
    char* inPtr = in;
    size_t inLeft = units * 2;
    char* outPtr = buffer;
    size_t outLeft = sizeof(buffer);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      if (errno != EILSEQ && errno != EINVAL) return false;
      out += replacement;
      usedDefault = true;
    } else {
      out.append(buffer, static_cast<size_t>(outPtr - buffer));
    }
    i += units;
  }
  return true;
}

// Converts code-page bytes into UTF-16 units; a byte that starts no character of the code page
// costs only itself and becomes U+FFFD.
bool ConvertToWide(iconv_t converter, const char* bytes, size_t count, std::u16string& out) {
  char* in = const_cast<char*>(bytes);
  size_t inLeft = count;
  while (inLeft > 0) {
    char buffer[256];
    char* outPtr = buffer;
    size_t outLeft = sizeof(buffer);
    const size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    for (char* p = buffer; p + 1 < outPtr; p += 2) {
      out +=
          static_cast<char16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
    }
    if (result != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (errno != EILSEQ && errno != EINVAL) return false;
    out += u'\uFFFD';
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

}  // namespace

BOOL SelectKeyboardLayoutForLanguage(const char* languageFolder) {
  if (!languageFolder) return FALSE;
  for (const LanguageLayout& layout : kLayouts) {
    if (EqualsIgnoringCase(layout.folder, languageFolder)) {
      gLayout = &layout;
      return TRUE;
    }
  }
  return FALSE;
}

HKL GetKeyboardLayout(DWORD /*threadId*/) {
  const uintptr_t locale = gLayout->locale;
  return reinterpret_cast<HKL>(locale | (locale << 16));
}

int GetLocaleInfoA(LCID locale, DWORD type, char* data, int size) {
  const UINT codePage = CodePageOfLocale(locale & 0xFFFF);
  if (type != LOCALE_IDEFAULTANSICODEPAGE || codePage == 0 || size < 0 || (size > 0 && !data)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  char text[16];
  const int needed = std::snprintf(text, sizeof(text), "%u", codePage) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, text, static_cast<size_t>(needed));
  return needed;
}

int WideCharToMultiByte(UINT codePage, DWORD /*flags*/, const WCHAR* wide, int wideCount, char* out,
                        int outSize, const char* defaultChar, BOOL* usedDefault) {
  if (!wide || wideCount == 0 || wideCount < -1 || outSize < 0 || (outSize > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t count = 0;
  if (wideCount == -1) {
    while (wide[count] != 0) ++count;
    ++count;  // the terminator is converted too
  } else {
    count = static_cast<size_t>(wideCount);
  }
  iconv_t converter = iconv_open(IconvName(codePage).c_str(), "UTF-16LE");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string converted;
  bool replaced = false;
  const bool ok = Convert(converter, wide, count, defaultChar ? *defaultChar : '?', converted, replaced);
  iconv_close(converter);
  if (!ok) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (usedDefault) *usedDefault = replaced ? TRUE : FALSE;
  const int needed = static_cast<int>(converted.size());
  if (outSize == 0) return needed;
  if (outSize < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, converted.data(), converted.size());
  return needed;
}

int MultiByteToWideChar(UINT codePage, DWORD /*flags*/, const char* bytes, int byteCount, WCHAR* wide,
                        int wideSize) {
  if (!bytes || byteCount == 0 || byteCount < -1 || wideSize < 0 || (wideSize > 0 && !wide)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const size_t count = byteCount == -1 ? std::strlen(bytes) + 1 : static_cast<size_t>(byteCount);
  iconv_t converter = iconv_open("UTF-16LE", IconvName(codePage).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string converted;
  const bool ok = ConvertToWide(converter, bytes, count, converted);
  iconv_close(converter);
  if (!ok) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  const int needed = static_cast<int>(converted.size());
  if (wideSize == 0) return needed;
  if (wideSize < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(wide, converted.data(), converted.size() * sizeof(WCHAR));
  return needed;
}

}  // namespace plat::win
