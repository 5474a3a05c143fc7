// What the text tests share: a memory context with a bitmap, fonts as the text box asks for them,
// and the advances of the monospace face, read from its font file.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "graphics/KeyboardCodePage.h"
#include "platform/gdi/Gdi.h"
#include "support/FontFiles.h"

namespace texttest {

// The font a text box of this face, size and style builds.
inline plat::gdi::LOGFONTA BoxFont(const char* face, int size, bool boldItalic = false) {
  plat::gdi::LOGFONTA font{};
  font.lfHeight = -size;
  font.lfWeight = boldItalic ? plat::gdi::FW_BOLD : plat::gdi::FW_NORMAL;
  font.lfItalic = boldItalic ? 1 : 0;
  font.lfCharSet = Qel::GetKeyboardCharset();
  font.lfPitchAndFamily = plat::gdi::VARIABLE_PITCH;
  std::strncpy(font.lfFaceName, face, 31);
  return font;
}

// A memory context with a zero-filled top-down bitmap selected.
class GdiCanvas {
public:
  GdiCanvas(int width, int height) : m_width(width), m_height(height) {
    m_dc = plat::gdi::CreateCompatibleDC(nullptr);
    plat::gdi::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(plat::gdi::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    m_bitmap = plat::gdi::CreateDIBSection(m_dc, &info, plat::gdi::DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_previous = plat::gdi::SelectObject(m_dc, m_bitmap);
  }
  ~GdiCanvas() {
    plat::gdi::SelectObject(m_dc, m_previous);
    plat::gdi::DeleteObject(m_bitmap);
    plat::gdi::DeleteDC(m_dc);
  }
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  plat::gdi::HDC Dc() const { return m_dc; }
  uint32_t At(int x, int y) const { return static_cast<const uint32_t*>(m_bits)[y * m_width + x]; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

private:
  int m_width;
  int m_height;
  plat::gdi::HDC m_dc = nullptr;
  plat::gdi::HBITMAP m_bitmap = nullptr;
  void* m_bits = nullptr;
  plat::gdi::HGDIOBJ m_previous = nullptr;
};

// Liberation Mono at 10 pixels: every character the same advance, plus the one pixel the layout adds.
inline int MonoAdvance() {
  static const int advance = test::FontFile(test::LiberationFile("LiberationMono-Regular"), 10).Glyph('a').advance + 1;
  return advance;
}

}  // namespace texttest
