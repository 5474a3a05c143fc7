// Device contexts, object selection, DIB sections, brushes, pens and the text state of a context.
#include <cstring>
#include <memory>
#include <type_traits>
#include <unordered_set>

#include "platform/gdi/Objects.h"

namespace plat::gdi {
namespace detail {
namespace {

// A bitmap larger than this is refused, as GDI refuses one it cannot hold, rather than failing later
// on an allocation that cannot succeed.
constexpr int64_t kMaxBitmapBytes = int64_t{1} << 28;
constexpr int kMaxBitmapSide = 1 << 16;

struct Registry {
  std::unordered_set<const GdiObject*> objects;
  std::unordered_set<const DeviceContext*> contexts;
  GdiCall failing = GdiCall::kNone;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // outlives every static that still holds a handle
  return *registry;
}

template <typename T>
T* Register(std::unique_ptr<T> object) {
  TheRegistry().objects.insert(object.get());
  return object.release();
}

// What a fresh context holds: GDI's stock objects, which are never deleted.
struct StockObjects {
  BitmapObject* bitmap;
  FontObject* font;
  BrushObject* brush;
  PenObject* pen;
};

StockObjects& Stock() {
  static StockObjects stock = [] {
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->width = 1;
    bitmap->height = 1;
    bitmap->pixels.assign(1, 0);
    bitmap->stock = true;
    auto font = std::make_unique<FontObject>();
    font->logFont.lfHeight = 16;
    font->logFont.lfWeight = FW_NORMAL;
    font->stock = true;
    auto brush = std::make_unique<BrushObject>();
    brush->color = RGB(255, 255, 255);
    brush->stock = true;
    auto pen = std::make_unique<PenObject>();
    pen->stock = true;
    return StockObjects{Register(std::move(bitmap)), Register(std::move(font)), Register(std::move(brush)),
                        Register(std::move(pen))};
  }();
  return stock;
}

template <typename T>
T* Live(HGDIOBJ object) {
  if (!object || !TheRegistry().objects.count(object)) return nullptr;
  return dynamic_cast<T*>(object);
}

void Destroy(GdiObject* object) {
  TheRegistry().objects.erase(object);
  delete object;
}

template <typename T>
void Acquire(T* object) {
  ++object->selections;
}

template <typename T>
void Release(T* object) {
  if (!object || --object->selections > 0) return;
  if constexpr (std::is_same_v<T, BitmapObject>) object->selectedIn = nullptr;
  if (object->deletePending) Destroy(object);
}

// Puts object in slot and answers the object it replaces.
template <typename T>
HGDIOBJ Swap(T*& slot, T* object) {
  T* previous = slot;
  Acquire(object);
  slot = object;
  Release(previous);
  return previous;
}

}  // namespace

DeviceContext* LiveContext(HDC dc) {
  return dc && TheRegistry().contexts.count(dc) ? dc : nullptr;
}
BitmapObject* LiveBitmap(HGDIOBJ object) {
  return Live<BitmapObject>(object);
}
FontObject* LiveFont(HGDIOBJ object) {
  return Live<FontObject>(object);
}
BrushObject* LiveBrush(HGDIOBJ object) {
  return Live<BrushObject>(object);
}
PenObject* LivePen(HGDIOBJ object) {
  return Live<PenObject>(object);
}

void Adopt(std::unique_ptr<GdiObject> object) {
  TheRegistry().objects.insert(object.release());
}

bool TakeInjectedFailure(GdiCall call) {
  Registry& registry = TheRegistry();
  if (call == GdiCall::kNone || registry.failing != call) return false;
  registry.failing = GdiCall::kNone;
  return true;
}

}  // namespace detail

using namespace detail;

void FailNextCallForTesting(GdiCall call) {
  TheRegistry().failing = call;
}

HDC CreateCompatibleDC(HDC) {
  if (TakeInjectedFailure(GdiCall::kCreateCompatibleDC)) return nullptr;
  auto dc = std::make_unique<DeviceContext>();
  StockObjects& stock = Stock();
  Swap(dc->bitmap, stock.bitmap);
  Swap(dc->font, stock.font);
  Swap(dc->brush, stock.brush);
  Swap(dc->pen, stock.pen);
  TheRegistry().contexts.insert(dc.get());
  return dc.release();
}

BOOL DeleteDC(HDC dc) {
  DeviceContext* context = LiveContext(dc);
  if (!context) return FALSE;
  Release(context->bitmap);
  Release(context->font);
  Release(context->brush);
  Release(context->pen);
  TheRegistry().contexts.erase(context);
  delete context;
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  DeviceContext* context = LiveContext(dc);
  if (!context || TakeInjectedFailure(GdiCall::kSelectObject)) return nullptr;
  if (BitmapObject* bitmap = LiveBitmap(object)) {
    if (TakeInjectedFailure(GdiCall::kSelectBitmap)) return nullptr;
    // A bitmap belongs to one context at a time (the stock one is shared by all).
    if (!bitmap->stock && bitmap->selectedIn && bitmap->selectedIn != context) return nullptr;
    HGDIOBJ previous = Swap(context->bitmap, bitmap);
    if (!bitmap->stock) bitmap->selectedIn = context;
    return previous;
  }
  if (FontObject* font = LiveFont(object)) return Swap(context->font, font);
  if (BrushObject* brush = LiveBrush(object)) return Swap(context->brush, brush);
  if (PenObject* pen = LivePen(object)) return Swap(context->pen, pen);
  return nullptr;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS || section || offset != 0) return nullptr;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 32 ||
      header.biCompression != BI_RGB) {
    return nullptr;
  }
  const int64_t width = header.biWidth;
  const int64_t height = header.biHeight < 0 ? -int64_t{header.biHeight} : int64_t{header.biHeight};
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height * 4 > kMaxBitmapBytes) {
    return nullptr;
  }
  if (TakeInjectedFailure(GdiCall::kCreateDIBSection)) return nullptr;
  auto bitmap = std::make_unique<BitmapObject>();
  bitmap->width = static_cast<int>(width);
  bitmap->height = static_cast<int>(height);
  bitmap->topDown = header.biHeight < 0;
  bitmap->pixels.assign(static_cast<size_t>(width * height), 0);
  if (bits) *bits = bitmap->pixels.data();
  return Register(std::move(bitmap));
}

int GetObjectA(HGDIOBJ object, int size, void* buffer) {
  if (BitmapObject* bitmap = LiveBitmap(object)) {
    if (!buffer) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP answer{};
    answer.bmWidth = bitmap->width;
    answer.bmHeight = bitmap->height;
    answer.bmWidthBytes = bitmap->width * 4;
    answer.bmPlanes = 1;
    answer.bmBitsPixel = 32;
    answer.bmBits = bitmap->stock ? nullptr : bitmap->pixels.data();
    std::memcpy(buffer, &answer, sizeof(answer));
    return sizeof(BITMAP);
  }
  if (FontObject* font = LiveFont(object)) {
    if (!buffer) return sizeof(LOGFONTA);
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    std::memcpy(buffer, &font->logFont, sizeof(LOGFONTA));
    return sizeof(LOGFONTA);
  }
  return 0;
}

namespace {

// Deleting an object still selected somewhere takes effect once no context holds it, so a
// context never draws with freed memory.
template <typename T>
BOOL DeleteOrDefer(T* object) {
  if (object->stock) return TRUE;
  if (object->selections > 0) {
    object->deletePending = true;
    return TRUE;
  }
  Destroy(object);
  return TRUE;
}

}  // namespace

BOOL DeleteObject(HGDIOBJ object) {
  if (BitmapObject* bitmap = LiveBitmap(object)) return DeleteOrDefer(bitmap);
  if (FontObject* font = LiveFont(object)) return DeleteOrDefer(font);
  if (BrushObject* brush = LiveBrush(object)) return DeleteOrDefer(brush);
  if (PenObject* pen = LivePen(object)) return DeleteOrDefer(pen);
  return FALSE;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<BrushObject>();
  brush->color = color & 0xFFFFFF;
  return Register(std::move(brush));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  auto pen = std::make_unique<PenObject>();
  pen->style = style == PS_NULL ? PS_NULL : PS_SOLID;
  pen->width = width < 1 ? 1 : width;
  pen->color = color & 0xFFFFFF;
  return Register(std::move(pen));
}

UINT SetTextAlign(HDC dc, UINT align) {
  DeviceContext* context = LiveContext(dc);
  if (!context) return GDI_ERROR;
  const UINT previous = context->textAlign;
  context->textAlign = align;
  return previous;
}

UINT GetTextAlign(HDC dc) {
  DeviceContext* context = LiveContext(dc);
  return context ? context->textAlign : GDI_ERROR;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  DeviceContext* context = LiveContext(dc);
  if (!context) return CLR_INVALID;
  const COLORREF previous = context->textColor;
  context->textColor = color & 0xFFFFFF;
  return previous;
}

COLORREF GetTextColor(HDC dc) {
  DeviceContext* context = LiveContext(dc);
  return context ? context->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  DeviceContext* context = LiveContext(dc);
  if (!context) return CLR_INVALID;
  const COLORREF previous = context->backgroundColor;
  context->backgroundColor = color & 0xFFFFFF;
  return previous;
}

int SetBkMode(HDC dc, int mode) {
  DeviceContext* context = LiveContext(dc);
  if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = context->backgroundMode;
  context->backgroundMode = mode;
  return previous;
}

int GetBkMode(HDC dc) {
  DeviceContext* context = LiveContext(dc);
  return context ? context->backgroundMode : 0;
}

}  // namespace plat::gdi
