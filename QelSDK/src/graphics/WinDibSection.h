// A device-independent bitmap whose pixels the program reads and writes directly.
#pragma once

#include "graphics/WinGdiObject.h"

namespace Qel {

class WinDibSection : public WinGdiObject {
public:
  // Rows top-down, BI_RGB; replaces the bitmap held before. False when GDI refuses it.
  bool Create(plat::gdi::HDC dc, int width, int height, int bitsPerPixel);

  plat::gdi::HBITMAP GetBitmap() const { return static_cast<plat::gdi::HBITMAP>(GetHandle()); }
  // Null without a bitmap.
  void* GetBits() const { return IsValid() ? m_bits : nullptr; }
  // Read back from GDI; 0 without a bitmap. The height is positive.
  int GetWidth() const;
  int GetHeight() const;

private:
  void* m_bits = nullptr;
};

}  // namespace Qel
