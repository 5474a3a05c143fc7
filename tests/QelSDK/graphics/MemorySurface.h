// A drawing surface over plain memory for the image tests: its pixels can be read back exactly, and
// every copy or blit onto it is logged with its rectangles.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/DrawingSurface.h"

namespace memtest {

class MemorySurface : public Qel::DrawingSurface {
public:
  // Rows packed (pitch = width x bytes per pixel), cleared to 0.
  MemorySurface(int width, int height, const Qel::PixelFormat& format);

  // A copy onto another memory surface of the same format puts the source rectangle at the
  // destination rectangle's top-left corner (its size is not used), clipped to both; a blit skips
  // pixels equal to the source's colour key. Either is logged.
  static void RegisterSurfaceOps();
  static void UnregisterSurfaceOps();

  struct Call {
    const Qel::DrawingSurface* source;
    const Qel::DrawingSurface* destination;
    Qel::Rect sourceRect;
    Qel::Rect destinationRect;
  };
  static std::vector<Call>& Calls();

  uint32_t PixelAt(int x, int y) const;
  void SetPixel(int x, int y, uint32_t value);
  int GetPitch() const { return m_pitch; }
  const std::vector<uint8_t>& Bytes() const { return m_pixels; }

  void GetBaseTypeNames(std::vector<std::string>& names) const override;
  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  void GetPixelFormat(Qel::PixelFormat& format) const override { format = m_format; }
  int SetColorKey(const Qel::Color& key) override;
  void GetColorKey(Qel::Color& key) const override { key = m_key; }
  uint8_t* LockBits(const Qel::Rect* area, int& pitch, uint32_t flags) override;
  int UnlockBits() override { return 0; }
  // Fills the area (null: everything) with the fill colour packed in the surface's format.
  int DrawRectangle(const Qel::Rect* area, int penWidth, const Qel::Color& outline,
                    const Qel::Color& fill) override;

  using Qel::DrawingSurface::GetColorKey;
  using Qel::DrawingSurface::GetPixelFormat;

private:
  int m_width;
  int m_height;
  Qel::PixelFormat m_format;
  int m_bytesPerPixel;
  int m_pitch;
  std::vector<uint8_t> m_pixels;
  Qel::Color m_key = Qel::Color::TransparentBlack(Qel::kPixelFormatA8R8G8B8);
};

}  // namespace memtest
