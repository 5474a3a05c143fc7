// Fonts, their metrics, and text measured and drawn in the keyboard layout's code page.
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"
#include "platform/win/kernel/CodePage.h"

namespace plat::gdi {
namespace detail {
namespace {

// Each byte's character in the layout's code page, made once per layout: measuring and drawing
// call this for every character, and a converter opened per call would cost more than the glyph.
struct ByteTable {
  std::array<char16_t, 256> characters{};
  std::array<bool, 256> single{};  // false: the byte starts a longer sequence or is undefined
};

const ByteTable& TableForLayout() {
  static std::mutex mutex;
  static std::map<uintptr_t, std::unique_ptr<ByteTable>> tables;
  const auto layout = reinterpret_cast<uintptr_t>(plat::win::GetKeyboardLayout(0));
  std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<ByteTable>& table = tables[layout];
  if (!table) {
    table = std::make_unique<ByteTable>();
    for (int byte = 0; byte < 256; ++byte) {
      const char in = static_cast<char>(byte);
      char16_t out[4] = {};
      const int units = plat::win::MultiByteToWideChar(plat::win::CP_ACP, 0, &in, 1, out, 4);
      table->single[byte] = byte == 0 || (units == 1 && out[0] != 0xFFFD);
      table->characters[byte] = units == 1 ? out[0] : char16_t{0xFFFD};
    }
  }
  return *table;
}

// The characters of count code-page bytes, surrogate pairs joined.
std::u32string Decode(const char* text, int count) {
  std::u32string decoded;
  if (!text || count <= 0) return decoded;
  const ByteTable& table = TableForLayout();
  bool allSingle = true;
  for (int i = 0; i < count && allSingle; ++i) allSingle = table.single[static_cast<unsigned char>(text[i])];
  std::u16string units;
  if (allSingle) {
    for (int i = 0; i < count; ++i) units += table.characters[static_cast<unsigned char>(text[i])];
  } else {
    const int needed = plat::win::MultiByteToWideChar(plat::win::CP_ACP, 0, text, count, nullptr, 0);
    if (needed <= 0) return decoded;
    units.resize(static_cast<size_t>(needed));
    plat::win::MultiByteToWideChar(plat::win::CP_ACP, 0, text, count, units.data(), needed);
  }
  for (size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      decoded += 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else {
      decoded += unit;
    }
  }
  return decoded;
}

}  // namespace

// The context's font, opened on first use (the stock font too).
SizedFont* FontOf(DeviceContext* context) {
  FontObject* font = context ? context->font : nullptr;
  if (!font) return nullptr;
  if (!font->font) font->font = OpenSizedFont(font->logFont);
  return font->font.get();
}

}  // namespace detail

using namespace detail;

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (!font || TakeInjectedFailure(GdiCall::kCreateFontIndirectA)) return nullptr;
  auto object = std::make_unique<FontObject>();
  object->logFont = *font;
  object->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
  object->font = OpenSizedFont(object->logFont);
  if (!object->font) return nullptr;
  HFONT handle = object.get();
  Adopt(std::move(object));
  return handle;
}

ResolvedFace GetResolvedFaceForTesting(HFONT font) {
  FontObject* object = LiveFont(font);
  if (!object) return ResolvedFace{};
  SizedFont* sized = object->font ? object->font.get() : nullptr;
  return sized ? sized->Face() : ResolvedFace{};
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics) {
  DeviceContext* context = LiveContext(dc);
  SizedFont* font = FontOf(context);
  if (!font || !metrics) return FALSE;
  const FontMetrics& m = font->Metrics();
  const LOGFONTA& logFont = context->font->logFont;
  *metrics = TEXTMETRICA{};
  metrics->tmHeight = m.height;
  metrics->tmAscent = m.ascent;
  metrics->tmDescent = m.descent;
  metrics->tmInternalLeading = m.internalLeading;
  metrics->tmExternalLeading = m.externalLeading;
  metrics->tmAveCharWidth = m.averageWidth;
  metrics->tmMaxCharWidth = m.maxWidth;
  metrics->tmWeight = logFont.lfWeight >= 600 ? FW_BOLD : FW_NORMAL;
  metrics->tmDigitizedAspectX = 96;
  metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmItalic = logFont.lfItalic ? 1 : 0;
  metrics->tmUnderlined = logFont.lfUnderline;
  metrics->tmStruckOut = logFont.lfStrikeOut;
  metrics->tmPitchAndFamily = logFont.lfPitchAndFamily;
  metrics->tmCharSet = logFont.lfCharSet;
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size) {
  DeviceContext* context = LiveContext(dc);
  SizedFont* font = FontOf(context);
  if (!font || !size || count < 0 || (count > 0 && !text)) return FALSE;
  LONG width = 0;
  for (char32_t character : Decode(text, count)) width += font->Glyph(character).advance;
  size->cx = width;
  size->cy = font->Metrics().height;
  return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) {
  DeviceContext* context = LiveContext(dc);
  SizedFont* font = FontOf(context);
  if (!font || count < 0 || (count > 0 && !text)) return FALSE;
  const std::u32string characters = Decode(text, count);
  const FontMetrics& metrics = font->Metrics();
  int width = 0;
  for (char32_t character : characters) width += font->Glyph(character).advance;
  // The reference point is where the alignment puts it: left, centre or right; top, baseline or
  // bottom.
  const UINT horizontal = context->textAlign & TA_CENTER;
  const UINT vertical = context->textAlign & TA_BASELINE;
  const int left = horizontal == TA_CENTER ? x - width / 2 : horizontal == TA_RIGHT ? x - width : x;
  const int top = vertical == TA_BASELINE ? y - metrics.ascent : vertical == TA_BOTTOM ? y - metrics.height : y;
  BitmapObject* bitmap = context->bitmap;
  if (context->backgroundMode == OPAQUE) {
    FillPixels(*bitmap, left, top, left + width, top + metrics.height, PixelOf(context->backgroundColor));
  }
  const uint32_t ink = PixelOf(context->textColor);
  int penX = left;
  const int baseline = top + metrics.ascent;
  for (char32_t character : characters) {
    const GlyphImage& glyph = font->Glyph(character);
    DrawGlyph(*bitmap, glyph, penX + glyph.left, baseline - glyph.top, ink);
    penX += glyph.advance;
  }
  return TRUE;
}

}  // namespace plat::gdi
