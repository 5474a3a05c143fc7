// A surface that holds a zlib-compressed image and becomes a device surface the first time its pixels
// are needed.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/DrawingSurface.h"

namespace Qel {

class DisplayDevice;

class CompressedSurface : public DrawingSurface {
public:
  // What the surface holds: the compressed bytes first, the inner surface after the first pixel access.
  class DataState {
  public:
    DataState() = default;
    virtual ~DataState() = default;
    DataState(const DataState&) = delete;
    DataState& operator=(const DataState&) = delete;

    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void GetPixelFormat(PixelFormat& format) const = 0;
    virtual int SetColorKey(const Color& key) = 0;
    virtual void GetColorKey(Color& key) const = 0;
    virtual bool IsUncompressed() const = 0;
    // The inner surface; null while compressed or when the device made none.
    virtual DrawingSurface* GetSurface() const = 0;
    // The state that replaces this one, or null when nothing changes.
    virtual std::unique_ptr<DataState> Decompress() = 0;
  };
  class CompressedState;
  class UncompressedState;

  // Takes the bytes, a zlib stream that inflates to height x pitch bytes of pixels in format. The
  // surface kind and colour key go to the device when the inner surface is made.
  CompressedSurface(DisplayDevice* device, std::unique_ptr<uint8_t[]> bytes, uint32_t length, int width,
                    int height, int pitch, const PixelFormat& format, int kind, const Color& colorKey);
  ~CompressedSurface() override;

  // Copies and blits from and onto any drawing surface, through the inner surface.
  static void RegisterSurfaceOps();
  static void UnregisterSurfaceOps();

  // The inner surface, inflating first when still compressed; null when that failed (tried again on
  // the next call) or the device made no surface.
  DrawingSurface* EnsureUncompressed();
  bool IsUncompressed() const { return m_state && m_state->IsUncompressed(); }

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  // Sizes, format and colour key answer without inflating; storage sizes are 0 until inflated.
  int GetWidth() const override;
  int GetHeight() const override;
  int GetStorageWidth() const override;
  int GetStorageHeight() const override;
  void GetPixelFormat(PixelFormat& format) const override;
  int SetColorKey(const Color& key) override;
  void GetColorKey(Color& key) const override;
  uint8_t* LockBits(const Rect* area, int& pitch, uint32_t flags) override;
  int UnlockBits() override;
  int DrawLine(const Point2& from, const Point2& to, int penWidth, const Color& color) override;
  int DrawPolyline(const Point2* points, int count, int penWidth, const Color& color) override;
  int DrawEllipse(const Rect* area, int penWidth, const Color& outline, const Color& fill) override;
  int DrawPolygon(const Point2* points, int count, int penWidth, const Color& outline,
                  const Color& fill) override;
  int DrawRectangle(const Rect* area, int penWidth, const Color& outline, const Color& fill) override;

  using DrawingSurface::GetColorKey;
  using DrawingSurface::GetPixelFormat;

private:
  std::unique_ptr<DataState> m_state;
};

}  // namespace Qel
