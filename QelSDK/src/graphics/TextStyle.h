// One font and colour of marked-up text: a GDI font description and its text colour.
#pragma once

#include "platform/gdi/Gdi.h"

namespace Qel {

struct TextStyle {
  plat::gdi::LOGFONTA font{};
  plat::gdi::COLORREF color = 0;

  // Field by field; face names compare as strings, so bytes after the terminator do not count.
  bool operator==(const TextStyle& other) const;
};

}  // namespace Qel
