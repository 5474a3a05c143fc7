// A device-independent bitmap whose pixels the program reads and writes directly.
#include "graphics/WinDibSection.h"

#include <cstdlib>

namespace Qel {
namespace {

plat::gdi::BITMAP ReadBitmap(plat::gdi::HGDIOBJ handle) {
  plat::gdi::BITMAP bitmap{};
  if (!handle || plat::gdi::GetObjectA(handle, sizeof(bitmap), &bitmap) == 0) return plat::gdi::BITMAP{};
  return bitmap;
}

}  // namespace

bool WinDibSection::Create(plat::gdi::HDC dc, int width, int height, int bitsPerPixel) {
  plat::gdi::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(plat::gdi::BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -std::abs(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<plat::gdi::WORD>(bitsPerPixel);
  info.bmiHeader.biCompression = plat::gdi::BI_RGB;
  void* bits = nullptr;
  plat::gdi::HBITMAP bitmap =
      plat::gdi::CreateDIBSection(dc, &info, plat::gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
  Attach(bitmap);
  m_bits = bitmap ? bits : nullptr;
  return bitmap != nullptr;
}

int WinDibSection::GetWidth() const {
  return ReadBitmap(GetHandle()).bmWidth;
}

int WinDibSection::GetHeight() const {
  return std::abs(ReadBitmap(GetHandle()).bmHeight);
}

}  // namespace Qel
