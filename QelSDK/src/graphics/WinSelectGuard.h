// Selects a GDI object into a context for the guard's lifetime, then puts the previous one back.
#pragma once

#include "platform/gdi/Gdi.h"

namespace Qel {

class WinSelectGuard {
public:
  WinSelectGuard(plat::gdi::HDC dc, plat::gdi::HGDIOBJ object);
  ~WinSelectGuard();
  WinSelectGuard(const WinSelectGuard&) = delete;
  WinSelectGuard& operator=(const WinSelectGuard&) = delete;

  // False when the selection failed: there is then nothing to restore.
  bool IsValid() const { return m_previous != nullptr; }
  plat::gdi::HGDIOBJ GetPrevious() const { return m_previous; }

private:
  plat::gdi::HDC m_dc;
  plat::gdi::HGDIOBJ m_previous;
};

}  // namespace Qel
