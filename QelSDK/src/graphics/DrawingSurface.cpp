// The drawing surface: every image the engine draws or draws on, with locking and table-driven copies and
// blits.
#include "graphics/DrawingSurface.h"

#include "graphics/SurfaceOps.h"
#include "graphics/SurfaceRegistry.h"

namespace Qel {
namespace {

Rect DestinationRect(const DrawingSurface& source, const Rect* sourceRect, const Point2& position) {
  const Point2 size = sourceRect ? Point2(sourceRect->Width(), sourceRect->Height())
                                 : Point2(source.GetWidth(), source.GetHeight());
  return Rect(position, position + size);
}

}  // namespace

DrawingSurface::~DrawingSurface() {
  SurfaceRegistry::Instance()->Unregister(this);
}

void DrawingSurface::GetBaseTypeNames(std::vector<std::string>&) const {}

int DrawingSurface::DrawLine(const Point2&, const Point2&, int, const Color&) {
  return 1;
}

int DrawingSurface::DrawPolyline(const Point2*, int, int, const Color&) {
  return 1;
}

int DrawingSurface::DrawEllipse(const Rect*, int, const Color&, const Color&) {
  return 1;
}

int DrawingSurface::DrawPolygon(const Point2*, int, int, const Color&, const Color&) {
  return 1;
}

int DrawingSurface::DrawRectangle(const Rect*, int, const Color&, const Color&) {
  return 1;
}

PixelFormat DrawingSurface::GetPixelFormat() const {
  PixelFormat format;
  GetPixelFormat(format);
  return format;
}

Color DrawingSurface::GetColorKey() const {
  Color key;
  GetColorKey(key);
  return key;
}

bool DrawingSurface::HasColorKey() const {
  return GetColorKey() != Color::TransparentBlack(kPixelFormatA8R8G8B8);
}

uint8_t* DrawingSurface::Lock(const Rect* area, int& pitch, uint32_t flags) {
  if (IsLocked() || flags == 0) return nullptr;
  uint8_t* bits = LockBits(area, pitch, flags);
  if (bits) m_lockState = flags;
  return bits;
}

int DrawingSurface::Unlock() {
  if (!IsLocked()) return 0;
  const int result = UnlockBits();
  m_lockState = 0;
  return result;
}

int DrawingSurface::CopyRectTo(DrawingSurface* destination, const Rect* sourceRect,
                               const Rect* destinationRect) {
  const SurfaceOpFn op = LookupCopyOp(this, destination);
  return op ? op(this, destination, sourceRect, destinationRect) : 1;
}

int DrawingSurface::BlitRectTo(DrawingSurface* destination, const Rect* sourceRect,
                               const Rect* destinationRect) {
  const SurfaceOpFn op = LookupBlitOp(this, destination);
  return op ? op(this, destination, sourceRect, destinationRect) : 1;
}

int DrawingSurface::CopyTo(DrawingSurface* destination, const Rect* sourceRect, const Point2& position) {
  const Rect destinationRect = DestinationRect(*this, sourceRect, position);
  return CopyRectTo(destination, sourceRect, &destinationRect);
}

int DrawingSurface::BlitTo(DrawingSurface* destination, const Rect* sourceRect, const Point2& position) {
  const Rect destinationRect = DestinationRect(*this, sourceRect, position);
  return BlitRectTo(destination, sourceRect, &destinationRect);
}

}  // namespace Qel
