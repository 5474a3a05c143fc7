// The graphics device interface calls our code makes: memory device contexts, DIB sections, fonts,
// text metrics and text drawing, brushes, pens and the filled and outlined shapes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/kernel/WinTypes.h"

namespace plat::gdi {

using plat::win::BOOL;
using plat::win::BYTE;
using plat::win::DWORD;
using plat::win::FALSE;
using plat::win::HANDLE;
using plat::win::LONG;
using plat::win::POINT;
using plat::win::RECT;
using plat::win::TRUE;
using plat::win::UINT;
using plat::win::WORD;

// 0x00BBGGRR, as GDI packs a colour.
using COLORREF = DWORD;

inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) {
  return static_cast<BYTE>(c & 0xFF);
}
inline constexpr BYTE GetGValue(COLORREF c) {
  return static_cast<BYTE>((c >> 8) & 0xFF);
}
inline constexpr BYTE GetBValue(COLORREF c) {
  return static_cast<BYTE>((c >> 16) & 0xFF);
}
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Handles. Every object kind is a GdiObject, so any of them passes where a plain object handle is
// asked for; what lies behind them is the stand-in's own business.
struct GdiObject {
  virtual ~GdiObject() = default;
};
struct Bitmap : GdiObject {};
struct Font : GdiObject {};
struct Brush : GdiObject {};
struct Pen : GdiObject {};
struct DeviceContext;

using HGDIOBJ = GdiObject*;
using HBITMAP = Bitmap*;
using HFONT = Font*;
using HBRUSH = Brush*;
using HPEN = Pen*;
using HDC = DeviceContext*;

struct SIZE {
  LONG cx;
  LONG cy;
};

// ---- Device contexts ----

// A memory context; its bitmap is a 1 x 1 placeholder until one is selected. The reference
// context is ignored: every memory context draws the same 32-bit way.
HDC CreateCompatibleDC(HDC reference);
// Objects selected into it are released from it, not deleted.
BOOL DeleteDC(HDC dc);

// Answers the object of the same kind that was selected before, or null when dc or object is not
// valid (a bitmap selected into another context is refused too).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

// ---- Bitmaps ----

inline constexpr DWORD BI_RGB = 0;
inline constexpr UINT DIB_RGB_COLORS = 0;

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // negative: rows top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

// Only 32-bit BI_RGB bitmaps of one plane, top-down or bottom-up, zero-filled; each pixel is the
// bytes blue, green, red and an unused fourth (so 0x00RRGGBB read as a little-endian word). Sizes
// of 0 or less, or beyond what a surface can hold, are refused. section and offset must be null
// and 0.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);

// A BITMAP for a bitmap, a LOGFONTA for a font; 0 for anything else or a buffer too small. A null
// buffer answers the size needed.
int GetObjectA(HGDIOBJ object, int size, void* buffer);

BOOL DeleteObject(HGDIOBJ object);

// ---- Fonts ----

inline constexpr int LF_FACESIZE = 32;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;

struct LOGFONTA {
  LONG lfHeight;  // negative: the character height; positive: the cell height; 0: a default
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;  // 600 and above take the bold face
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];
};

// The face name goes through a fixed table first ("arial" is Liberation Sans, "courier" and
// "courier new" Liberation Mono, each in its four styles), then fontconfig, and else falls back to
// Liberation Sans with a "WARN:" trace. Null only when no face can be opened at all.
HFONT CreateFontIndirectA(const LOGFONTA* font);

struct TEXTMETRICA {
  LONG tmHeight;  // ascent + descent
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;  // height - the character height
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

// Of the font selected into dc.
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);

// The text is in the keyboard layout's code page (the kernel's CP_ACP) and is decoded in it.
// cx sums the characters' advances, cy is the font's height.
BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);

inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// Each answers the previous value (GDI_ERROR, CLR_INVALID or 0 for an invalid dc).
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

// Draws in the text colour only, without anti-aliasing: a pixel is the text colour or untouched, so
// a surface keyed on its background shows no fringe. In OPAQUE mode the cell is filled with the
// background colour first. Clipped to the bitmap. Decoding as GetTextExtentPoint32A.
BOOL TextOutA(HDC dc, int x, int y, const char* text, int count);

// ---- Code pages and character sets ----

inline constexpr DWORD TCI_SRCCHARSET = 1;
inline constexpr DWORD TCI_SRCCODEPAGE = 2;

struct FONTSIGNATURE {
  DWORD fsUsb[4];
  DWORD fsCsb[2];
};

struct CHARSETINFO {
  UINT ciCharset;
  UINT ciACP;
  FONTSIGNATURE fs;
};

// As GDI: for TCI_SRCCODEPAGE and TCI_SRCCHARSET the source "pointer" carries the code page or
// character set itself. FALSE for a value the table does not know.
BOOL TranslateCharsetInfo(DWORD* source, CHARSETINFO* info, DWORD flags);

// ---- Brushes, pens and shapes ----

inline constexpr int PS_SOLID = 0;
inline constexpr int PS_NULL = 5;

HBRUSH CreateSolidBrush(COLORREF color);
// Widths below 1 draw 1 pixel wide; PS_NULL draws nothing; other styles draw solid.
HPEN CreatePen(int style, int width, COLORREF color);

// The shapes draw into the bitmap selected into dc, in its pen and brush, without anti-aliasing,
// clipped to the bitmap; each answers FALSE (0) for an invalid dc or arguments.
// Lines from point to point, the last point itself not drawn (as GDI's LineTo).
BOOL Polyline(HDC dc, const POINT* points, int count);
// Inscribed in left..right-1, top..bottom-1: filled with the brush, outlined with the pen.
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// left..right-1, top..bottom-1 in the brush, no outline. Answers 1 on success.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Closed, filled with the brush by the alternate (even-odd) rule, outlined with the pen.
BOOL Polygon(HDC dc, const POINT* points, int count);
// Filled with the brush, outlined with the pen on its outermost pixels.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);

// ---- Test seams ----

// The next call of the named kind fails once, as GDI would when it runs out of resources;
// kSelectBitmap fails only the selection of a bitmap.
enum class GdiCall {
  kNone,
  kCreateCompatibleDC,
  kCreateDIBSection,
  kSelectObject,
  kCreateFontIndirectA,
  kSelectBitmap
};
void FailNextCallForTesting(GdiCall call);

// The file behind a font handle, and its face and style, as resolved; empty for an invalid font.
struct ResolvedFace {
  std::string file;
  std::string family;  // as the font file names it
  bool fromTable = false;
  bool fromFontconfig = false;
  bool fallback = false;
};
ResolvedFace GetResolvedFaceForTesting(HFONT font);

// Forgets the opened faces and their rendered glyphs (fonts still alive keep theirs), so that the
// next text is drawn as the first in the process; the faces names resolve to stay known.
void ClearFontCachesForTesting();
// Forgets only the rendered glyphs: the next text is drawn as text never seen before.
void ClearGlyphCachesForTesting();

}  // namespace plat::gdi
