// One GDI device context, deleted with its holder, and the shapes drawn into it.
#include "graphics/WinDC.h"

namespace Qel {

WinDC::~WinDC() {
  Delete();
}

bool WinDC::CreateCompatible(plat::gdi::HDC reference) {
  Delete();
  m_dc = plat::gdi::CreateCompatibleDC(reference);
  return m_dc != nullptr;
}

bool WinDC::Delete() {
  if (!m_dc) return true;
  const bool deleted = plat::gdi::DeleteDC(m_dc) != plat::gdi::FALSE;
  m_dc = nullptr;
  return deleted;
}

int WinDC::Polyline(const plat::gdi::POINT* points, int count) {
  return m_dc ? plat::gdi::Polyline(m_dc, points, count) : 0;
}

int WinDC::Ellipse(int left, int top, int right, int bottom) {
  return m_dc ? plat::gdi::Ellipse(m_dc, left, top, right, bottom) : 0;
}

int WinDC::FillRect(const plat::gdi::RECT* rect, plat::gdi::HBRUSH brush) {
  return m_dc ? plat::gdi::FillRect(m_dc, rect, brush) : 0;
}

int WinDC::Polygon(const plat::gdi::POINT* points, int count) {
  return m_dc ? plat::gdi::Polygon(m_dc, points, count) : 0;
}

int WinDC::Rectangle(int left, int top, int right, int bottom) {
  return m_dc ? plat::gdi::Rectangle(m_dc, left, top, right, bottom) : 0;
}

}  // namespace Qel
