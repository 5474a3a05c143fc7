// A drawing surface of plain memory in any pixel format, its rows padded as a display's are, for the movie
// tests' copies.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Color.h"
#include "core/PixelFormat.h"
#include "graphics/DrawingSurface.h"

namespace movietest {

class MemorySurface : public Qel::DrawingSurface {
public:
  static constexpr uint8_t kUntouched = 0xA5;
  static constexpr int kPadding = 8;

  MemorySurface(int width, int height, const Qel::PixelFormat& format)
      : m_width(width),
        m_height(height),
        m_format(format),
        m_pitch(width * format.GetBytesPerPixel() + kPadding),
        m_pixels(static_cast<size_t>(m_pitch) * static_cast<size_t>(height), kUntouched) {}

  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  void GetPixelFormat(Qel::PixelFormat& format) const override { format = m_format; }
  int SetColorKey(const Qel::Color&) override { return 1; }
  void GetColorKey(Qel::Color& key) const override { key = Qel::Color::TransparentBlack(m_format); }
  uint8_t* LockBits(const Qel::Rect*, int& pitch, uint32_t) override {
    pitch = m_pitch;
    return m_pixels.data();
  }
  int UnlockBits() override { return 0; }
  using Qel::DrawingSurface::GetColorKey;
  using Qel::DrawingSurface::GetPixelFormat;

  uint32_t At(int x, int y) const {
    uint32_t value = 0;
    const int bytes = m_format.GetBytesPerPixel();
    std::memcpy(&value, m_pixels.data() + static_cast<size_t>(y) * m_pitch + static_cast<size_t>(x) * bytes,
                static_cast<size_t>(bytes));
    return value;
  }
  bool Untouched() const {
    for (const uint8_t byte : m_pixels) {
      if (byte != kUntouched) return false;
    }
    return true;
  }
  void Reset() { std::fill(m_pixels.begin(), m_pixels.end(), kUntouched); }

private:
  int m_width;
  int m_height;
  Qel::PixelFormat m_format;
  int m_pitch;
  std::vector<uint8_t> m_pixels;
};

}  // namespace movietest
