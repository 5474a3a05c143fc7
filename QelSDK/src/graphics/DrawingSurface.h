// The drawing surface: every image the engine draws or draws on, with locking and table-driven copies and
// blits.
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/Color.h"
#include "core/PixelFormat.h"
#include "core/Point2.h"
#include "core/Rect.h"
#include "graphics/SurfaceOpFn.h"

namespace Qel {

class DrawingSurface {
public:
  // Lock flags; which of them matter is the back end's business.
  static constexpr uint32_t kLockRead = 1;
  static constexpr uint32_t kLockWrite = 2;

  DrawingSurface() = default;
  virtual ~DrawingSurface();
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;

  // Appends the run-time type names of the classes this class derives from, nearest first.
  virtual void GetBaseTypeNames(std::vector<std::string>& names) const;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual int GetStorageWidth() const { return GetWidth(); }
  virtual int GetStorageHeight() const { return GetHeight(); }
  virtual void GetPixelFormat(PixelFormat& format) const = 0;
  virtual int SetColorKey(const Color& key) = 0;
  // TransparentBlack stands for "no key".
  virtual void GetColorKey(Color& key) const = 0;
  virtual uint8_t* LockBits(const Rect* area, int& pitch, uint32_t flags) = 0;
  virtual int UnlockBits() = 0;
  // Drawing primitives; a class that cannot draw one answers 1.
  virtual int DrawLine(const Point2& from, const Point2& to, int penWidth, const Color& color);
  virtual int DrawPolyline(const Point2* points, int count, int penWidth, const Color& color);
  virtual int DrawEllipse(const Rect* area, int penWidth, const Color& outline, const Color& fill);
  virtual int DrawPolygon(const Point2* points, int count, int penWidth, const Color& outline,
                          const Color& fill);
  virtual int DrawRectangle(const Rect* area, int penWidth, const Color& outline, const Color& fill);

  PixelFormat GetPixelFormat() const;
  Color GetColorKey() const;
  bool HasColorKey() const;

  // Null when already locked or when flags is 0; the surface is not asked then.
  uint8_t* Lock(const Rect* area, int& pitch, uint32_t flags);
  uint8_t* Lock(int& pitch, uint32_t flags) { return Lock(nullptr, pitch, flags); }
  int Unlock();
  bool IsLocked() const { return m_lockState != 0; }

  // 1 when no operation is registered for the pair of classes; otherwise the operation's result.
  int CopyRectTo(DrawingSurface* destination, const Rect* sourceRect, const Rect* destinationRect);
  int BlitRectTo(DrawingSurface* destination, const Rect* sourceRect, const Rect* destinationRect);
  // The destination rectangle starts at position and has the size of the source rectangle, or of the
  // whole image when there is none.
  int CopyTo(DrawingSurface* destination, const Rect* sourceRect, const Point2& position);
  int BlitTo(DrawingSurface* destination, const Rect* sourceRect, const Point2& position);
  int CopyTo(DrawingSurface* destination, const Point2& position) {
    return CopyTo(destination, nullptr, position);
  }
  int BlitTo(DrawingSurface* destination, const Point2& position) {
    return BlitTo(destination, nullptr, position);
  }

private:
  friend SurfaceOpFn LookupBlitOp(DrawingSurface* source, DrawingSurface* destination);

  uint32_t m_lockState = 0;
  // Last blit operation found with this surface as source. The destination's class is kept beside its
  // address, since an address freed and reused by a surface of another class must not hit the entry, and
  // so is the table's generation, since a pair registered anew or removed must not be served from here.
  SurfaceOpFn m_cachedBlitOp = nullptr;
  const DrawingSurface* m_cachedBlitDestination = nullptr;
  const std::type_info* m_cachedBlitDestinationType = nullptr;
  uint64_t m_cachedBlitGeneration = 0;
};

}  // namespace Qel
