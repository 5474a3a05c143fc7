// One GDI object handle, deleted with its holder.
#include "graphics/WinGdiObject.h"

namespace Qel {

WinGdiObject::~WinGdiObject() {
  Delete();
}

void WinGdiObject::Attach(plat::gdi::HGDIOBJ handle) {
  if (handle == m_handle) return;
  Delete();
  m_handle = handle;
}

plat::gdi::HGDIOBJ WinGdiObject::Detach() {
  plat::gdi::HGDIOBJ handle = m_handle;
  m_handle = nullptr;
  return handle;
}

bool WinGdiObject::Delete() {
  if (!m_handle) return false;
  const bool deleted = plat::gdi::DeleteObject(m_handle) != plat::gdi::FALSE;
  m_handle = nullptr;
  return deleted;
}

}  // namespace Qel
