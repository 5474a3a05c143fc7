// The keyboard layout, its locale's ANSI code page and UTF-16 to code-page text conversion.
#include "platform/win/kernel/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

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

// The bytes of the UTF-16LE character at in: a surrogate pair is one.
size_t Utf16CharacterBytes(const char* in, size_t left) {
  const auto unit = [in](size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(in[2 * i])) |
           static_cast<unsigned>(static_cast<unsigned char>(in[2 * i + 1])) << 8;
  };
  const bool pair =
      left >= 4 && unit(0) >= 0xD800 && unit(0) <= 0xDBFF && unit(1) >= 0xDC00 && unit(1) <= 0xDFFF;
  return pair ? 4 : 2;
}

// Bytes of the longest character of any code page iconv knows.
constexpr size_t kLongestCharacter = 4;

// A code page's character begins as one byte; iconv tells when it goes on.
size_t FirstByte(const char* /*in*/, size_t /*left*/) {
  return 1;
}

// Converts one character at a time, so that a character the target lacks (or a byte sequence the
// source does not define, or a lone surrogate) costs only itself. A character that iconv finds
// incomplete takes the next unit too, up to maxBytes.
bool Convert(iconv_t converter, const char* in, size_t size, size_t (*characterBytes)(const char*, size_t),
             size_t unitSize, size_t maxBytes, std::string_view replacement, std::string& out,
             bool& usedDefault) {
  size_t position = 0;
  while (position < size) {
    const size_t first = characterBytes(in + position, size - position);
    size_t take = first;
    for (;;) {
      char buffer[16];
      char* inPtr = const_cast<char*>(in + position);
      size_t inLeft = take;
      char* outPtr = buffer;
      size_t outLeft = sizeof(buffer);
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
      if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        position += take;
        break;
      }
      if (errno == EINVAL && take + unitSize <= maxBytes && position + take < size) {
        take += unitSize;
        continue;
      }
      if (errno != EILSEQ && errno != EINVAL) return false;
      out += replacement;
      usedDefault = true;
      position += first;
      break;
    }
  }
  return true;
}

// Converts code-page bytes into UTF-16 units; a byte that starts no character of the code page
// costs only itself and becomes U+FFFD.
bool ConvertToWide(iconv_t converter, const char* bytes, size_t count, std::u16string& out) {
  std::string units;
  bool replaced = false;
  if (!Convert(converter, bytes, count, FirstByte, 1, kLongestCharacter, std::string_view("\xFD\xFF", 2),
               units, replaced)) {
    return false;
  }
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    out += static_cast<char16_t>(static_cast<unsigned char>(units[i]) |
                                 (static_cast<unsigned char>(units[i + 1]) << 8));
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
  // The units as UTF-16LE bytes, whatever the machine's byte order.
  std::string bytes(count * 2, '\0');
  for (size_t i = 0; i < count; ++i) {
    bytes[2 * i] = static_cast<char>(wide[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(wide[i] >> 8);
  }
  std::string converted;
  bool replaced = false;
  const char replacement = defaultChar ? *defaultChar : '?';
  const bool ok = Convert(converter, bytes.data(), bytes.size(), Utf16CharacterBytes, 2, 4,
                          std::string_view(&replacement, 1), converted, replaced);
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

std::string CodePageToUtf8(UINT codePage, const char* text) {
  std::string converted;
  if (!text) return converted;
  iconv_t converter = iconv_open("UTF-8", IconvName(codePage).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return converted;
  bool replaced = false;
  Convert(converter, text, std::strlen(text), FirstByte, 1, kLongestCharacter, "\xEF\xBF\xBD", converted,
          replaced);
  iconv_close(converter);
  return converted;
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
