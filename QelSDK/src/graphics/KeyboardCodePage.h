// The code page of the keyboard layout, its GDI character set and text converted into it: the one
// lookup behind the string table and the text drawing.
#pragma once

#include <string>

#include "core/Color.h"
#include "platform/gdi/Gdi.h"

namespace Qel {

// Looked up again on every call (the layout follows the language folder) and kept as the current
// code page; 0 (the layout's own) when the layout's locale gives none.
unsigned GetKeyboardCodePage();
// The GDI character set of the current code page; the default set when GDI does not know it.
plat::gdi::BYTE GetKeyboardCharset();
// count UTF-16 units in the current code page, terminated; characters it lacks become '?'.
std::string WideToKeyboardCodePage(const char16_t* text, int count);

// Qel's colour as GDI's 0x00BBGGRR.
plat::gdi::COLORREF ColorToColorRef(const Color& color);

}  // namespace Qel
