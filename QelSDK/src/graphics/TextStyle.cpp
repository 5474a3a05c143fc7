// One font and colour of marked-up text: a GDI font description and its text colour.
#include "graphics/TextStyle.h"

#include <cstring>

namespace Qel {

bool TextStyle::operator==(const TextStyle& other) const {
  const plat::gdi::LOGFONTA& a = font;
  const plat::gdi::LOGFONTA& b = other.font;
  return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
         a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
         a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
         a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
         a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
         std::strncmp(a.lfFaceName, b.lfFaceName, plat::gdi::LF_FACESIZE) == 0 && color == other.color;
}

}  // namespace Qel
