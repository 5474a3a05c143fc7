// Fonts behind the font handles: faces resolved by name (the fixed table, fontconfig, the fallback),
// opened at a pixel size through FreeType, with their metrics and one-bit glyphs kept once made.
#include "platform/gdi/FontFaces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>

#include "platform/win/kernel/AsciiCase.h"

namespace plat::gdi::detail {
namespace {

constexpr const char* kLiberationFolder = "/usr/share/fonts/truetype/liberation2/";

struct TableFace {
  const char* name;  // lower case
  const char* family;
  const char* stem;  // file name without its style suffix
};

// The faces the game names, standing in metric for metric for the ones it was drawn with.
constexpr TableFace kTable[] = {
    {"arial", "Liberation Sans", "LiberationSans"},
    {"courier", "Liberation Mono", "LiberationMono"},
    {"courier new", "Liberation Mono", "LiberationMono"},
};

const char* StyleSuffix(bool bold, bool italic) {
  if (bold && italic) return "-BoldItalic.ttf";
  if (bold) return "-Bold.ttf";
  if (italic) return "-Italic.ttf";
  return "-Regular.ttf";
}

bool FileExists(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

std::string Lower(const char* text) {
  std::string lower(text);
  for (char& c : lower) c = plat::AsciiToLower(c);
  return lower;
}

// A family only counts as found when fontconfig's answer carries the name asked for: it answers
// every query with something, and a silent substitute would hide a missing face.
bool FontconfigFace(const char* name, bool bold, bool italic, ResolvedFace& face) {
  if (!FcInit()) return false;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  bool found = false;
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (plat::EqualsIgnoringCase(reinterpret_cast<const char*>(family), name)) {
      found = true;
      break;
    }
  }
  FcChar8* file = nullptr;
  if (found && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    face.file = reinterpret_cast<const char*>(file);
    face.family = reinterpret_cast<const char*>(family);
    face.fromFontconfig = true;
  } else {
    found = false;
  }
  FcPatternDestroy(match);
  return found;
}

ResolvedFace Liberation(const char* family, const char* stem, bool bold, bool italic) {
  ResolvedFace face;
  face.file = std::string(kLiberationFolder) + stem + StyleSuffix(bold, italic);
  face.family = family;
  if (!FileExists(face.file)) FontconfigFace(family, bold, italic, face);
  return face;
}

ResolvedFace ResolveUncached(const char* name, bool bold, bool italic) {
  const std::string lower = Lower(name);
  for (const TableFace& entry : kTable) {
    if (lower == entry.name) {
      ResolvedFace face = Liberation(entry.family, entry.stem, bold, italic);
      face.fromTable = true;
      return face;
    }
  }
  ResolvedFace face;
  if (!lower.empty() && FontconfigFace(name, bold, italic, face)) return face;
  // An empty name asks for the default face: that is no missing font.
  if (!lower.empty()) Trace("WARN: font \"%s\" not found, Liberation Sans stands in\n", name);
  face = Liberation("Liberation Sans", "LiberationSans", bold, italic);
  face.fallback = true;
  return face;
}

std::mutex& FontMutex() {
  static std::mutex mutex;
  return mutex;
}

// FreeType, its faces and their glyphs live as long as the process.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) made = nullptr;
    return made;
  }();
  return library;
}

int Scaled(FT_Long units, int pixelsPerEm, FT_UShort unitsPerEm) {
  return static_cast<int>(std::lround(static_cast<double>(units) * pixelsPerEm / unitsPerEm));
}

class FreeTypeFont : public SizedFont {
public:
  FreeTypeFont(FT_Face face, ResolvedFace resolved, int pixelsPerEm)
      : m_face(face), m_resolved(std::move(resolved)) {
    const FT_UShort unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    // GDI measures a TrueType face by its Windows ascent and descent.
    const FT_Long ascent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    const FT_Long descent = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
    m_metrics.ascent = Scaled(ascent, pixelsPerEm, unitsPerEm);
    m_metrics.descent = Scaled(descent, pixelsPerEm, unitsPerEm);
    m_metrics.height = m_metrics.ascent + m_metrics.descent;
    m_metrics.internalLeading = m_metrics.height - pixelsPerEm;
    m_metrics.externalLeading = hhea ? Scaled(hhea->Line_Gap, pixelsPerEm, unitsPerEm) : 0;
    m_metrics.averageWidth = os2 ? Scaled(os2->xAvgCharWidth, pixelsPerEm, unitsPerEm) : pixelsPerEm / 2;
    m_metrics.maxWidth = Scaled(face->max_advance_width, pixelsPerEm, unitsPerEm);
  }
  ~FreeTypeFont() override { FT_Done_Face(m_face); }

  const FontMetrics& Metrics() const override { return m_metrics; }
  const ResolvedFace& Face() const override { return m_resolved; }

  const GlyphImage& Glyph(char32_t character) override {
    std::lock_guard<std::mutex> lock(FontMutex());
    auto found = m_glyphs.find(character);
    if (found != m_glyphs.end()) return found->second;
    GlyphImage& image = m_glyphs[character];
    // Hinted for one-bit output, so stems land on whole pixels and nothing is left to blend.
    if (FT_Load_Char(m_face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
      return image;
    }
    const FT_GlyphSlot slot = m_face->glyph;
    image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.rows == 0 || bitmap.width == 0) return image;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = static_cast<int>(bitmap.width);
    image.rows = static_cast<int>(bitmap.rows);
    image.pitch = (image.width + 7) / 8;
    image.bits.resize(static_cast<size_t>(image.pitch) * image.rows);
    for (int row = 0; row < image.rows; ++row) {
      const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
      std::memcpy(image.bits.data() + static_cast<size_t>(row) * image.pitch, source, image.pitch);
    }
    return image;
  }

private:
  FT_Face m_face;
  ResolvedFace m_resolved;
  FontMetrics m_metrics;
  std::unordered_map<char32_t, GlyphImage> m_glyphs;
};

// The pixels per em a LOGFONTA height asks for: negative is the character height itself, positive
// the cell (ascent + descent), 0 GDI's default cell of 16.
int PixelsPerEm(FT_Face face, LONG height) {
  if (height < 0) return height < -4096 ? 4096 : static_cast<int>(-height);
  const int cell = height == 0 ? 16 : (height > 4096 ? 4096 : static_cast<int>(height));
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const long ascent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
  const long descent = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
  const long units = ascent + descent > 0 ? ascent + descent : face->units_per_EM;
  const long pixels = std::lround(static_cast<double>(cell) * face->units_per_EM / units);
  return pixels < 1 ? 1 : static_cast<int>(pixels);
}

}  // namespace

void Trace(const char* format, ...) {
  static const bool on = [] {
    const char* value = std::getenv("PILO_TRACE");
    return value && std::strcmp(value, "1") == 0;
  }();
  if (!on) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

ResolvedFace ResolveFace(const char* name, bool bold, bool italic) {
  static std::map<std::tuple<std::string, bool, bool>, ResolvedFace> cache;
  std::lock_guard<std::mutex> lock(FontMutex());
  const auto key = std::make_tuple(Lower(name ? name : ""), bold, italic);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  return cache[key] = ResolveUncached(name ? name : "", bold, italic);
}

std::shared_ptr<SizedFont> OpenSizedFont(const LOGFONTA& font) {
  char name[LF_FACESIZE + 1] = {};
  std::memcpy(name, font.lfFaceName, LF_FACESIZE);
  const ResolvedFace resolved = ResolveFace(name, font.lfWeight >= 600, font.lfItalic != 0);
  std::lock_guard<std::mutex> lock(FontMutex());
  static std::map<std::pair<std::string, LONG>, std::shared_ptr<SizedFont>> cache;
  const auto key = std::make_pair(resolved.file, font.lfHeight);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  FT_Library library = Library();
  if (!library) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, resolved.file.c_str(), 0, &face) != 0) return nullptr;
  const int pixelsPerEm = PixelsPerEm(face, font.lfHeight);
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelsPerEm)) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  auto sized = std::make_shared<FreeTypeFont>(face, resolved, pixelsPerEm);
  cache[key] = sized;
  return sized;
}

}  // namespace plat::gdi::detail
