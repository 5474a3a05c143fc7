// The code page of the keyboard layout, its GDI character set and text converted into it.
#include "graphics/KeyboardCodePage.h"

#include <cstdint>
#include <cstdlib>

#include "platform/win/kernel/CodePage.h"

namespace Qel {
namespace {

unsigned gCurrentCodePage = 0;

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
  const int needed = plat::win::WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string converted(static_cast<size_t>(needed), '\0');
  plat::win::WideCharToMultiByte(codePage, 0, text, count, converted.data(), needed, nullptr, nullptr);
  return converted;
}

plat::gdi::COLORREF ColorToColorRef(const Color& color) {
  const uint32_t rgb = (static_cast<uint32_t>(color.Red()) << 16) | (static_cast<uint32_t>(color.Green()) << 8) |
                       color.Blue();
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace Qel
