// The code page of the keyboard layout, its GDI character set and text converted into it.
#include "graphics/KeyboardCodePage.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/win/kernel/CodePage.h"

namespace Qel {
namespace {

unsigned gCurrentCodePage = 0;

// The characters of a single-byte code page and their bytes, made once per code page: text is
// converted one character at a time, and a converter opened for each would cost more than drawing
// it. Empty for a code page whose characters are not all single bytes.
using ByteOfCharacter = std::unordered_map<char16_t, char>;

const ByteOfCharacter& SingleByteTable(unsigned codePage) {
  static std::mutex mutex;
  static std::map<unsigned, ByteOfCharacter> tables;
  std::lock_guard<std::mutex> lock(mutex);
  auto found = tables.find(codePage);
  if (found != tables.end()) return found->second;
  ByteOfCharacter& table = tables[codePage];
  for (int byte = 1; byte < 256; ++byte) {
    const char in = static_cast<char>(byte);
    char16_t out[4] = {};
    const int units = plat::win::MultiByteToWideChar(codePage, 0, &in, 1, out, 4);
    if (units != 1) {
      table.clear();
      break;
    }
    if (out[0] != 0xFFFD) table.emplace(out[0], in);
  }
  return table;
}

}  // namespace

unsigned GetKeyboardCodePage() {
  const auto layout = reinterpret_cast<uintptr_t>(plat::win::GetKeyboardLayout(0));
  const auto locale = static_cast<plat::win::LCID>(layout & 0xFFFF);
  char text[12] = {};
  if (plat::win::GetLocaleInfoA(locale, plat::win::LOCALE_IDEFAULTANSICODEPAGE, text, sizeof(text)) == 0) {
    text[0] = 0;
  }
  gCurrentCodePage = static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  return gCurrentCodePage;
}

plat::gdi::BYTE GetKeyboardCharset() {
  plat::gdi::CHARSETINFO info{};
  auto* source = reinterpret_cast<plat::gdi::DWORD*>(static_cast<uintptr_t>(gCurrentCodePage));
  if (!plat::gdi::TranslateCharsetInfo(source, &info, plat::gdi::TCI_SRCCODEPAGE)) {
    return plat::gdi::DEFAULT_CHARSET;
  }
  return static_cast<plat::gdi::BYTE>(info.ciCharset);
}

std::string WideToKeyboardCodePage(const char16_t* text, int count) {
  if (!text || count <= 0) return std::string();
  const unsigned codePage = gCurrentCodePage;
  const ByteOfCharacter& table = SingleByteTable(codePage);
  if (!table.empty()) {
    std::string converted;
    bool complete = true;
    for (int i = 0; i < count && complete; ++i) {
      const auto found = text[i] == 0 ? table.end() : table.find(text[i]);
      if (text[i] == 0) {
        converted += '\0';
      } else if (found != table.end()) {
        converted += found->second;
      } else {
        complete = false;
      }
    }
    if (complete) return converted;
  }
  const int needed = plat::win::WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string converted(static_cast<size_t>(needed), '\0');
  plat::win::WideCharToMultiByte(codePage, 0, text, count, converted.data(), needed, nullptr, nullptr);
  return converted;
}

plat::gdi::COLORREF ColorToColorRef(const Color& color) {
  const uint32_t rgb =
      (static_cast<uint32_t>(color.Red()) << 16) | (static_cast<uint32_t>(color.Green()) << 8) | color.Blue();
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace Qel
