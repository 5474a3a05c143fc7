// The sprite loader and its cache of parsed sprite files.
#include "graphics/SpriteLoader.h"

#include <utility>

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteBuilder.h"
#include "graphics/SpriteFileReader.h"

namespace Qel {

std::shared_ptr<Sprite> SpriteLoader::LoadSprite(uint32_t nameHash, DisplayDevice* device, int layer,
                                                 TimeSource* clock, bool useFrameTime, bool keepCompressed,
                                                 std::shared_ptr<Sprite> into, SpriteData* dataOut) {
  auto cached = m_cache.find(nameHash);
  if (cached == m_cache.end()) {
    std::shared_ptr<Stream> stream;
    ResourceManager::GetInstance()->OpenStream(nameHash, kTypeSprite, stream);
    if (!stream) return nullptr;
    SpriteData data;
    SpriteFileReader reader(*stream, device, keepCompressed);
    const bool read = reader.Read(data);
    stream.reset();
    if (!read) {
      Trace("ERROR: sprite %08X refused: %s\n", nameHash, reader.GetFailure().c_str());
      return nullptr;
    }
    cached = m_cache.emplace(nameHash, std::move(data)).first;
  }
  const SpriteData& data = cached->second;
  std::shared_ptr<Sprite> sprite = BuildSprite(data, layer, clock, useFrameTime, std::move(into));
  if (dataOut) *dataOut = data;
  return sprite;
}

int SpriteLoader::Update() {
  for (auto entry = m_cache.begin(); entry != m_cache.end();) {
    const auto& images = entry->second.m_images;
    // Held by the cache alone, or nothing to hold: no built sprite needs the entry. A file without
    // images, or whose first image could not be made, cannot tell, and goes as well.
    const bool unused = images.empty() || images.front().m_surface.use_count() <= 1;
    entry = unused ? m_cache.erase(entry) : std::next(entry);
  }
  return 0;
}

}  // namespace Qel
