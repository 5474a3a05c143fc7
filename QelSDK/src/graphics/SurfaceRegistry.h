// The process-wide registry of live drawing surfaces; it keeps no entries, so that one can be filled in
// later.
#pragma once

#include <set>

namespace Qel {

class DrawingSurface;

class SurfaceRegistry {
public:
  // Created on first use; after Destroy the next call makes a new one.
  static SurfaceRegistry* Instance();
  static void Destroy();

  // Hooks called for every surface the display device hands out and for every surface that goes away.
  void Register(DrawingSurface* surface);
  void Unregister(DrawingSurface* surface);

private:
  SurfaceRegistry() = default;

  std::set<DrawingSurface*> m_surfaces;
};

}  // namespace Qel
