// Fonts behind the font handles: faces resolved by name, opened at a pixel size through FreeType,
// with their metrics and their glyphs rendered once as one-bit images.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace plat::gdi::detail {

// One bit a pixel, most significant bit leftmost; left and top place it from the pen position on
// the baseline (top upwards).
struct GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  int pitch = 0;
  int advance = 0;
  std::vector<uint8_t> bits;
};

struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int height = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int averageWidth = 0;
  int maxWidth = 0;
};

class SizedFont {
public:
  virtual ~SizedFont() = default;
  virtual const FontMetrics& Metrics() const = 0;
  // Kept for the font's lifetime: later calls for the same character answer the same image.
  virtual const GlyphImage& Glyph(char32_t character) = 0;
  virtual const ResolvedFace& Face() const = 0;
};

// Shared by every font handle of the same file and size; null only when no face opens at all.
std::shared_ptr<SizedFont> OpenSizedFont(const LOGFONTA& font);

// The face the name and style resolve to (the table, fontconfig, else the fallback with a "WARN:"
// trace once per name and style).
ResolvedFace ResolveFace(const char* name, bool bold, bool italic);

// "INFO:", "WARN:" and "ERROR:" lines on stderr while PILO_TRACE=1.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace plat::gdi::detail
