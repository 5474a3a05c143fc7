// GDI character sets and the ANSI code pages they go with.
#include <cstdint>

#include "platform/gdi/Gdi.h"

namespace plat::gdi {
namespace {

struct CharsetCodePage {
  UINT charset;
  UINT codePage;
};

constexpr CharsetCodePage kCharsets[] = {
    {0, 1252},   {128, 932},  {129, 949},  {134, 936},  {136, 950},  {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},  {238, 1250},
};

}  // namespace

BOOL TranslateCharsetInfo(DWORD* source, CHARSETINFO* info, DWORD flags) {
  if (!info || (flags != TCI_SRCCODEPAGE && flags != TCI_SRCCHARSET)) return FALSE;
  const auto value = static_cast<UINT>(reinterpret_cast<uintptr_t>(source));
  for (const CharsetCodePage& entry : kCharsets) {
    if ((flags == TCI_SRCCODEPAGE ? entry.codePage : entry.charset) == value) {
      *info = CHARSETINFO{};
      info->ciCharset = entry.charset;
      info->ciACP = entry.codePage;
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace plat::gdi
