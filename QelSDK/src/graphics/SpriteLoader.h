// The sprite loader: builds sprites from sprite resources, each file parsed once while it is in use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

#include "core/Periodical.h"
#include "graphics/SpriteData.h"

namespace Qel {

class DisplayDevice;
class Sprite;
class TimeSource;

// A periodical: each update drops the cached files that no built sprite uses any more. Whether a sprite
// uses a file is told by its first image, which every sprite of that file shares with the cache.
class SpriteLoader : public Periodical {
public:
  SpriteLoader() = default;
  ~SpriteLoader() override = default;

  // The sprite resource of the name hash, from the cache or read afresh, built into the given sprite
  // (null: a new one), its animations on the clock and each frame track in the layer. keepCompressed
  // keeps version-7 images compressed until first drawn; it counts only when the file is read. When
  // dataOut is given it receives a copy of the file's data. Null when the resource cannot be opened or
  // the file is refused (an "ERROR:" trace line says why); nothing is cached then.
  std::shared_ptr<Sprite> LoadSprite(uint32_t nameHash, DisplayDevice* device, int layer, TimeSource* clock,
                                     bool useFrameTime, bool keepCompressed, std::shared_ptr<Sprite> into,
                                     SpriteData* dataOut);

  // The pruning of the cache.
  int Update() override;

  bool IsCached(uint32_t nameHash) const { return m_cache.count(nameHash) != 0; }
  size_t GetCacheSize() const { return m_cache.size(); }

private:
  std::map<uint32_t, SpriteData> m_cache;
};

}  // namespace Qel
