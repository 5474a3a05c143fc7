// The process-wide registry of live drawing surfaces; it keeps no entries, so that one can be filled in
// later.
#include "graphics/SurfaceRegistry.h"

namespace Qel {
namespace {
SurfaceRegistry* sInstance = nullptr;
}

SurfaceRegistry* SurfaceRegistry::Instance() {
  if (!sInstance) sInstance = new SurfaceRegistry();
  return sInstance;
}

void SurfaceRegistry::Destroy() {
  SurfaceRegistry* registry = sInstance;
  sInstance = nullptr;
  delete registry;
}

void SurfaceRegistry::Register(DrawingSurface*) {}

void SurfaceRegistry::Unregister(DrawingSurface*) {}

}  // namespace Qel
