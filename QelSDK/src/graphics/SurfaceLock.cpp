// A scoped lock of a whole drawing surface for direct pixel access.
#include "graphics/SurfaceLock.h"

#include "graphics/DrawingSurface.h"

namespace Qel {

SurfaceLock::SurfaceLock(DrawingSurface* surface, uint32_t flags) {
  Relock(surface, flags);
}

SurfaceLock::~SurfaceLock() {
  if (IsLocked()) Unlock();
}

void SurfaceLock::Relock(DrawingSurface* surface, uint32_t flags) {
  if (IsLocked()) Unlock();
  m_surface = surface;
  m_pitch = 0;
  m_bits = surface ? surface->Lock(m_pitch, flags) : nullptr;
}

// Only a lock this object took counts: when the surface was already locked elsewhere, our attempt failed and
// letting go here would pull that other lock out from under its owner.
bool SurfaceLock::IsLocked() const {
  return m_surface && m_bits && m_surface->IsLocked();
}

void SurfaceLock::Unlock() {
  if (IsLocked()) m_surface->Unlock();
  m_bits = nullptr;
}

}  // namespace Qel
