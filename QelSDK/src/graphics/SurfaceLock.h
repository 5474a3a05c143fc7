// A scoped lock of a whole drawing surface for direct pixel access.
#pragma once

#include <cstdint>

namespace Qel {

class DrawingSurface;

class SurfaceLock {
public:
  SurfaceLock(DrawingSurface* surface, uint32_t flags);
  ~SurfaceLock();
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;

  // Lets go of the held lock first, then locks the whole of the new surface.
  void Relock(DrawingSurface* surface, uint32_t flags);
  // True while the lock this object took is held.
  bool IsLocked() const;
  void Unlock();

  // Null when the lock failed.
  uint8_t* GetBits() const { return m_bits; }
  int GetPitch() const { return m_pitch; }

private:
  DrawingSurface* m_surface = nullptr;
  uint8_t* m_bits = nullptr;
  int m_pitch = 0;
};

}  // namespace Qel
