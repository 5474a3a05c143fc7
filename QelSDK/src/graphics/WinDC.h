// One GDI device context, deleted with its holder, and the shapes drawn into it.
#pragma once

#include "platform/gdi/Gdi.h"

namespace Qel {

class WinDC {
public:
  WinDC() = default;
  ~WinDC();
  WinDC(const WinDC&) = delete;
  WinDC& operator=(const WinDC&) = delete;

  // Deletes the held context first; reference null makes one compatible with the screen.
  bool CreateCompatible(plat::gdi::HDC reference);
  // True when GDI deleted the context (or there was none).
  bool Delete();

  plat::gdi::HDC GetHandle() const { return m_dc; }
  bool IsValid() const { return m_dc != nullptr; }

  // Forward to GDI in the selected pen and brush; 0 without a context.
  int Polyline(const plat::gdi::POINT* points, int count);
  int Ellipse(int left, int top, int right, int bottom);
  int FillRect(const plat::gdi::RECT* rect, plat::gdi::HBRUSH brush);
  int Polygon(const plat::gdi::POINT* points, int count);
  int Rectangle(int left, int top, int right, int bottom);

private:
  plat::gdi::HDC m_dc = nullptr;
};

}  // namespace Qel
