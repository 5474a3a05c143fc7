// The process-wide registry of sounds.
#include "sound/SoundRegistry.h"

namespace Qel {
namespace {
SoundRegistry* sInstance = nullptr;
}

SoundRegistry* SoundRegistry::Instance() {
  if (!sInstance) sInstance = new SoundRegistry();
  return sInstance;
}

void SoundRegistry::Destroy() {
  SoundRegistry* registry = sInstance;
  sInstance = nullptr;
  delete registry;
}

bool SoundRegistry::Exists() {
  return sInstance != nullptr;
}

}  // namespace Qel
