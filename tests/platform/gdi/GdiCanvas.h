// A memory context with a zero-filled 32-bit DIB section selected, for the drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace gditest {

using namespace plat::gdi;

class Canvas {
public:
  Canvas(int width, int height) : m_width(width), m_height(height) {
    m_dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_previous = SelectObject(m_dc, m_bitmap);
  }
  ~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return m_dc; }
  bool Ready() const { return m_dc && m_bitmap && m_bits && m_previous; }
  uint32_t At(int x, int y) const { return static_cast<const uint32_t*>(m_bits)[y * m_width + x]; }
  // One character a pixel: '.' for 0, '#' for the colour asked for, '?' for anything else.
  std::string Picture(uint32_t ink) const {
    std::string picture;
    for (int y = 0; y < m_height; ++y) {
      for (int x = 0; x < m_width; ++x) picture += At(x, y) == 0 ? '.' : At(x, y) == ink ? '#' : '?';
      picture += '\n';
    }
    return picture;
  }
  int Count(uint32_t pixel) const {
    int count = 0;
    for (int y = 0; y < m_height; ++y) {
      for (int x = 0; x < m_width; ++x) count += At(x, y) == pixel;
    }
    return count;
  }

private:
  int m_width;
  int m_height;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  void* m_bits = nullptr;
  HGDIOBJ m_previous = nullptr;
};

// Rows joined with line ends, so that pictures read as they look in the source.
inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string picture;
  for (const char* row : rows) picture += std::string(row) + "\n";
  return picture;
}

}  // namespace gditest
