// One GDI object handle, deleted with its holder.
#pragma once

#include "platform/gdi/Gdi.h"

namespace Qel {

class WinGdiObject {
public:
  WinGdiObject() = default;
  explicit WinGdiObject(plat::gdi::HGDIOBJ handle) : m_handle(handle) {}
  virtual ~WinGdiObject();
  WinGdiObject(const WinGdiObject&) = delete;
  WinGdiObject& operator=(const WinGdiObject&) = delete;

  // Deletes the held object first.
  void Attach(plat::gdi::HGDIOBJ handle);
  // Gives the handle up without deleting it.
  plat::gdi::HGDIOBJ Detach();
  // Clears the handle; true when GDI deleted the object.
  bool Delete();

  plat::gdi::HGDIOBJ GetHandle() const { return m_handle; }
  bool IsValid() const { return m_handle != nullptr; }

private:
  plat::gdi::HGDIOBJ m_handle = nullptr;
};

}  // namespace Qel
