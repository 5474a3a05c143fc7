// Builds a sprite's animations from what a sprite file yielded.
#pragma once

#include <memory>

namespace Qel {

class Sprite;
class TimeSource;
struct SpriteData;

// One animation per record, each with one frame track under id 0 in the layer, added to the sprite under
// its position as id. into receives them when given, else a new sprite does. Frames share the data's
// surfaces.
std::shared_ptr<Sprite> BuildSprite(const SpriteData& data, int layer, TimeSource* clock, bool useFrameTime,
                                    std::shared_ptr<Sprite> into);

}  // namespace Qel
