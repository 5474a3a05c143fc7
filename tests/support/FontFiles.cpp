// The Liberation font files read straight through FreeType, as the oracle of the text tests.
#include "support/FontFiles.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace test {

struct FontFile::Library {
  FT_Library library = nullptr;
  Library() { FT_Init_FreeType(&library); }
  ~Library() { FT_Done_FreeType(library); }
};

std::string LiberationFile(const std::string& stem) {
  return "/usr/share/fonts/truetype/liberation2/" + stem + ".ttf";
}

FontFile::FontFile(const std::string& path, int pixelsPerEm) : m_library(std::make_shared<Library>()) {
  FT_Face face = nullptr;
  if (!m_library->library || FT_New_Face(m_library->library, path.c_str(), 0, &face) != 0) return;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelsPerEm));
  m_face = face;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const double scale = static_cast<double>(pixelsPerEm) / face->units_per_EM;
  m_ascent = static_cast<int>(std::lround(os2->usWinAscent * scale));
  m_descent = static_cast<int>(std::lround(os2->usWinDescent * scale));
}

FontFile::~FontFile() {
  if (m_face) FT_Done_Face(static_cast<FT_Face>(m_face));
}

std::string FontFile::FamilyName() const {
  return m_face ? static_cast<FT_Face>(m_face)->family_name : "";
}

FontGlyph FontFile::Glyph(char32_t character) const {
  FontGlyph glyph;
  auto face = static_cast<FT_Face>(m_face);
  if (!face || FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
    return glyph;
  }
  const FT_GlyphSlot slot = face->glyph;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(slot->bitmap.width);
  glyph.rows = static_cast<int>(slot->bitmap.rows);
  glyph.on.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
  for (int y = 0; y < glyph.rows; ++y) {
    const unsigned char* row = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x) {
      glyph.on[static_cast<size_t>(y) * glyph.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
  return glyph;
}

void Image::Stamp(const FontGlyph& glyph, int penX, int baseline, uint32_t color) {
  for (int y = 0; y < glyph.rows; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      const int px = penX + glyph.left + x;
      const int py = baseline - glyph.top + y;
      if (glyph.At(x, y) && px >= 0 && py >= 0 && px < width && py < height) At(px, py) = color;
    }
  }
}

}  // namespace test
