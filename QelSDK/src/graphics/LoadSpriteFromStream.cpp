// Reads a sprite file from an open stream into a new sprite.
#include "graphics/LoadSpriteFromStream.h"

#include "core/Trace.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteBuilder.h"
#include "graphics/SpriteData.h"
#include "graphics/SpriteFileReader.h"

namespace Qel {

std::shared_ptr<Sprite> LoadSpriteFromStream(Stream& stream, DisplayDevice* device, int layer,
                                             TimeSource* clock, bool useFrameTime, SpriteData* dataOut) {
  SpriteData data;
  SpriteFileReader reader(stream, device, false);
  if (!reader.Read(data)) {
    Trace("ERROR: sprite stream refused: %s\n", reader.GetFailure().c_str());
    return nullptr;
  }
  std::shared_ptr<Sprite> sprite = BuildSprite(data, layer, clock, useFrameTime, nullptr);
  if (dataOut) *dataOut = data;
  return sprite;
}

}  // namespace Qel
