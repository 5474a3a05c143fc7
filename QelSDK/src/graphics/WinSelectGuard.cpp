// Selects a GDI object into a context for the guard's lifetime, then puts the previous one back.
#include "graphics/WinSelectGuard.h"

namespace Qel {

WinSelectGuard::WinSelectGuard(plat::gdi::HDC dc, plat::gdi::HGDIOBJ object)
    : m_dc(dc), m_previous(plat::gdi::SelectObject(dc, object)) {}

WinSelectGuard::~WinSelectGuard() {
  if (m_previous) plat::gdi::SelectObject(m_dc, m_previous);
}

}  // namespace Qel
