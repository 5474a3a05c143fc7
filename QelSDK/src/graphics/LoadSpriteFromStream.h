// Reads a sprite file from an open stream into a new sprite, with no cache.
#pragma once

#include <memory>

namespace Qel {

class DisplayDevice;
class Sprite;
class Stream;
class TimeSource;
struct SpriteData;

// The stream stands at the start of a sprite file. Version-7 images are decompressed at once. When
// dataOut is given it receives a copy of what the file yielded. Null, with an "ERROR:" trace line, for a
// file the reader refuses.
std::shared_ptr<Sprite> LoadSpriteFromStream(Stream& stream, DisplayDevice* device, int layer,
                                             TimeSource* clock, bool useFrameTime, SpriteData* dataOut);

}  // namespace Qel
