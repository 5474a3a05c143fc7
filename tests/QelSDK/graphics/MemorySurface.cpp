// A drawing surface over plain memory for the image tests: its pixels can be read back exactly, and
// every copy or blit onto it is logged with its rectangles.
#include "MemorySurface.h"

#include <algorithm>
#include <typeinfo>

#include "graphics/SurfaceOps.h"

namespace memtest {
namespace {

int32_t Transfer(Qel::DrawingSurface* source, Qel::DrawingSurface* destination, const Qel::Rect* sourceRect,
                 const Qel::Rect* destinationRect, bool blit) {
  auto* from = dynamic_cast<MemorySurface*>(source);
  auto* to = dynamic_cast<MemorySurface*>(destination);
  if (!from || !to) return -1;
  const Qel::Rect s = sourceRect ? *sourceRect : Qel::Rect(0, 0, from->GetWidth(), from->GetHeight());
  const Qel::Rect d = destinationRect ? *destinationRect : Qel::Rect(0, 0, to->GetWidth(), to->GetHeight());
  MemorySurface::Calls().push_back({source, destination, s, d});
  if (from->GetPixelFormat() != to->GetPixelFormat()) return -1;
  const bool keyed = blit && from->HasColorKey();
  Qel::Color key;
  from->GetColorKey().ConvertTo(key, from->GetPixelFormat());
  for (int y = std::max(0, s.Top()); y < std::min(s.Bottom(), from->GetHeight()); ++y) {
    for (int x = std::max(0, s.Left()); x < std::min(s.Right(), from->GetWidth()); ++x) {
      const int tx = d.Left() + x - s.Left();
      const int ty = d.Top() + y - s.Top();
      if (tx < 0 || ty < 0 || tx >= to->GetWidth() || ty >= to->GetHeight()) continue;
      const uint32_t value = from->PixelAt(x, y);
      if (keyed && value == key.GetPacked()) continue;
      to->SetPixel(tx, ty, value);
    }
  }
  return 0;
}

int32_t Copy(Qel::DrawingSurface* s, Qel::DrawingSurface* d, const Qel::Rect* sr, const Qel::Rect* dr) {
  return Transfer(s, d, sr, dr, false);
}

int32_t Blit(Qel::DrawingSurface* s, Qel::DrawingSurface* d, const Qel::Rect* sr, const Qel::Rect* dr) {
  return Transfer(s, d, sr, dr, true);
}

}  // namespace

MemorySurface::MemorySurface(int width, int height, const Qel::PixelFormat& format)
    : m_width(width),
      m_height(height),
      m_format(format),
      m_bytesPerPixel(format.GetBytesPerPixel()),
      m_pitch(width * format.GetBytesPerPixel()),
      m_pixels(static_cast<size_t>(m_pitch) * height, 0) {}

void MemorySurface::RegisterSurfaceOps() {
  Qel::RegisterCopyOp(typeid(MemorySurface).name(), typeid(MemorySurface).name(), Copy);
  Qel::RegisterBlitOp(typeid(MemorySurface).name(), typeid(MemorySurface).name(), Blit);
}

void MemorySurface::UnregisterSurfaceOps() {
  Qel::UnregisterCopyOp(typeid(MemorySurface).name(), typeid(MemorySurface).name());
  Qel::UnregisterBlitOp(typeid(MemorySurface).name(), typeid(MemorySurface).name());
}

std::vector<MemorySurface::Call>& MemorySurface::Calls() {
  static std::vector<Call> calls;
  return calls;
}

uint32_t MemorySurface::PixelAt(int x, int y) const {
  const uint8_t* p =
      m_pixels.data() + static_cast<size_t>(y) * m_pitch + static_cast<size_t>(x) * m_bytesPerPixel;
  uint32_t value = 0;
  for (int b = 0; b < m_bytesPerPixel; ++b) value |= uint32_t{p[b]} << (8 * b);
  return value;
}

void MemorySurface::SetPixel(int x, int y, uint32_t value) {
  uint8_t* p = m_pixels.data() + static_cast<size_t>(y) * m_pitch + static_cast<size_t>(x) * m_bytesPerPixel;
  for (int b = 0; b < m_bytesPerPixel; ++b) p[b] = static_cast<uint8_t>(value >> (8 * b));
}

void MemorySurface::GetBaseTypeNames(std::vector<std::string>& names) const {
  names.emplace_back(typeid(Qel::DrawingSurface).name());
}

int MemorySurface::SetColorKey(const Qel::Color& key) {
  m_key = key;
  return 0;
}

uint8_t* MemorySurface::LockBits(const Qel::Rect* area, int& pitch, uint32_t) {
  pitch = m_pitch;
  if (!area) return m_pixels.data();
  return m_pixels.data() + static_cast<size_t>(area->Top()) * m_pitch +
         static_cast<size_t>(area->Left()) * m_bytesPerPixel;
}

int MemorySurface::DrawRectangle(const Qel::Rect* area, int, const Qel::Color&, const Qel::Color& fill) {
  const Qel::Rect r = area ? *area : Qel::Rect(0, 0, m_width, m_height);
  Qel::Color packed;
  fill.ConvertTo(packed, m_format);
  for (int y = std::max(0, r.Top()); y < std::min(r.Bottom(), m_height); ++y) {
    for (int x = std::max(0, r.Left()); x < std::min(r.Right(), m_width); ++x)
      SetPixel(x, y, packed.GetPacked());
  }
  return 0;
}

}  // namespace memtest
