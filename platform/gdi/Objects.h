// What lies behind the handles: device contexts and their state, bitmaps, fonts, brushes and pens,
// each registered while it lives so that a stale or foreign handle is refused, never followed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/FontFaces.h"
#include "platform/gdi/Gdi.h"

namespace plat {
namespace gdi {

struct BitmapObject : Bitmap {
  int width = 0;
  int height = 0;
  bool topDown = true;
  std::vector<uint32_t> pixels;
  DeviceContext* selectedIn = nullptr;
  int selections = 0;
  bool stock = false;
  bool deletePending = false;
  uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(topDown ? y : height - 1 - y) * width; }
};

struct FontObject : Font {
  LOGFONTA logFont{};
  std::shared_ptr<detail::SizedFont> font;
  int selections = 0;
  bool stock = false;
  bool deletePending = false;
};

struct BrushObject : Brush {
  COLORREF color = 0;
  int selections = 0;
  bool stock = false;
  bool deletePending = false;
};

struct PenObject : Pen {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
  int selections = 0;
  bool stock = false;
  bool deletePending = false;
};

struct DeviceContext {
  BitmapObject* bitmap = nullptr;
  FontObject* font = nullptr;
  BrushObject* brush = nullptr;
  PenObject* pen = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF backgroundColor = 0xFFFFFF;
  int backgroundMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP;
};

namespace detail {

// Null for anything that is not a live context or object of the kind.
DeviceContext* LiveContext(HDC dc);
BitmapObject* LiveBitmap(HGDIOBJ object);
FontObject* LiveFont(HGDIOBJ object);
BrushObject* LiveBrush(HGDIOBJ object);
PenObject* LivePen(HGDIOBJ object);

// Registers a new object as live and gives up ownership of it to the handle.
void Adopt(std::unique_ptr<GdiObject> object);

// The context's font, opened on first use; null without a usable font.
SizedFont* FontOf(DeviceContext* context);

// True once when the test seam asked this call to fail.
bool TakeInjectedFailure(GdiCall call);

// 0x00RRGGBB, the pixel of a 32-bit BI_RGB bitmap.
inline uint32_t PixelOf(COLORREF color) {
  return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
         GetBValue(color);
}

}  // namespace detail
}  // namespace gdi
}  // namespace plat
