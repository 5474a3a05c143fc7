// A surface that holds a zlib-compressed image and becomes a device surface the first time its pixels
// are needed.
#include "graphics/CompressedSurface.h"

#include <new>
#include <typeinfo>

#include "graphics/CompressedSurfaceCompressedState.h"
#include "graphics/SurfaceOps.h"

namespace Qel {
namespace {

constexpr int kNoSurface = 1;

// The inner surface of whichever side is the compressed one, or null with the side's verdict.
template <bool SourceSide>
int32_t Forward(DrawingSurface* source, DrawingSurface* destination, const Rect* sourceRect,
                const Rect* destinationRect, bool blit) {
  auto* compressed = dynamic_cast<CompressedSurface*>(SourceSide ? source : destination);
  if (!compressed) return 0;
  DrawingSurface* inner = compressed->EnsureUncompressed();
  if (!inner) return kNoSurface;
  DrawingSurface* from = SourceSide ? inner : source;
  DrawingSurface* to = SourceSide ? destination : inner;
  return blit ? from->BlitRectTo(to, sourceRect, destinationRect)
              : from->CopyRectTo(to, sourceRect, destinationRect);
}

int32_t CopyFrom(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return Forward<true>(s, d, sr, dr, false);
}
int32_t CopyOnto(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return Forward<false>(s, d, sr, dr, false);
}
int32_t BlitFrom(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return Forward<true>(s, d, sr, dr, true);
}
int32_t BlitOnto(DrawingSurface* s, DrawingSurface* d, const Rect* sr, const Rect* dr) {
  return Forward<false>(s, d, sr, dr, true);
}

}  // namespace

CompressedSurface::CompressedSurface(DisplayDevice* device, std::unique_ptr<uint8_t[]> bytes, uint32_t length,
                                     int width, int height, int pitch, const PixelFormat& format, int kind,
                                     const Color& colorKey)
    : m_state(new (std::nothrow) CompressedState(device, std::move(bytes), length, width, height, pitch,
                                                 format, kind, colorKey)) {}

CompressedSurface::~CompressedSurface() = default;

void CompressedSurface::RegisterSurfaceOps() {
  const char* compressed = typeid(CompressedSurface).name();
  const char* any = typeid(DrawingSurface).name();
  RegisterCopyOp(compressed, any, CopyFrom);
  RegisterCopyOp(any, compressed, CopyOnto);
  RegisterBlitOp(compressed, any, BlitFrom);
  RegisterBlitOp(any, compressed, BlitOnto);
}

void CompressedSurface::UnregisterSurfaceOps() {
  const char* compressed = typeid(CompressedSurface).name();
  const char* any = typeid(DrawingSurface).name();
  UnregisterCopyOp(compressed, any);
  UnregisterCopyOp(any, compressed);
  UnregisterBlitOp(compressed, any);
  UnregisterBlitOp(any, compressed);
}

DrawingSurface* CompressedSurface::EnsureUncompressed() {
  if (!m_state) return nullptr;
  if (!m_state->IsUncompressed()) {
    if (std::unique_ptr<DataState> next = m_state->Decompress()) m_state = std::move(next);
  }
  return m_state->GetSurface();
}

void CompressedSurface::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(DrawingSurface).name());
}

int CompressedSurface::GetWidth() const {
  return m_state ? m_state->GetWidth() : 0;
}

int CompressedSurface::GetHeight() const {
  return m_state ? m_state->GetHeight() : 0;
}

int CompressedSurface::GetStorageWidth() const {
  const DrawingSurface* inner = m_state ? m_state->GetSurface() : nullptr;
  return inner ? inner->GetStorageWidth() : 0;
}

int CompressedSurface::GetStorageHeight() const {
  const DrawingSurface* inner = m_state ? m_state->GetSurface() : nullptr;
  return inner ? inner->GetStorageHeight() : 0;
}

void CompressedSurface::GetPixelFormat(PixelFormat& format) const {
  if (m_state) {
    m_state->GetPixelFormat(format);
  } else {
    format = kPixelFormatNone;
  }
}

int CompressedSurface::SetColorKey(const Color& key) {
  return m_state ? m_state->SetColorKey(key) : kNoSurface;
}

void CompressedSurface::GetColorKey(Color& key) const {
  if (m_state) {
    m_state->GetColorKey(key);
  } else {
    key = Color::TransparentBlack(kPixelFormatA8R8G8B8);
  }
}

uint8_t* CompressedSurface::LockBits(const Rect* area, int& pitch, uint32_t flags) {
  DrawingSurface* inner = EnsureUncompressed();
  return inner ? inner->Lock(area, pitch, flags) : nullptr;
}

int CompressedSurface::UnlockBits() {
  DrawingSurface* inner = m_state ? m_state->GetSurface() : nullptr;
  return inner ? inner->Unlock() : 0;
}

int CompressedSurface::DrawLine(const Point2& from, const Point2& to, int penWidth, const Color& color) {
  DrawingSurface* inner = EnsureUncompressed();
  return inner ? inner->DrawLine(from, to, penWidth, color) : kNoSurface;
}

int CompressedSurface::DrawPolyline(const Point2* points, int count, int penWidth, const Color& color) {
  DrawingSurface* inner = EnsureUncompressed();
  return inner ? inner->DrawPolyline(points, count, penWidth, color) : kNoSurface;
}

int CompressedSurface::DrawEllipse(const Rect* area, int penWidth, const Color& outline, const Color& fill) {
  DrawingSurface* inner = EnsureUncompressed();
  return inner ? inner->DrawEllipse(area, penWidth, outline, fill) : kNoSurface;
}

int CompressedSurface::DrawPolygon(const Point2* points, int count, int penWidth, const Color& outline,
                                   const Color& fill) {
  DrawingSurface* inner = EnsureUncompressed();
  return inner ? inner->DrawPolygon(points, count, penWidth, outline, fill) : kNoSurface;
}

int CompressedSurface::DrawRectangle(const Rect* area, int penWidth, const Color& outline,
                                     const Color& fill) {
  DrawingSurface* inner = EnsureUncompressed();
  return inner ? inner->DrawRectangle(area, penWidth, outline, fill) : kNoSurface;
}

}  // namespace Qel
