// The surface of one stored-image set, the image encoding of sprite files below version 7.
#pragma once

#include <memory>

namespace Qel {

class DisplayDevice;
class DrawingSurface;
class Stream;

// Reads one set from the stream, decodes its images into a buffer cleared to 0 (transparent in both set
// formats) and sets out to a device surface of the whole set; sets are never tiled. A set that fails to
// read or decode part way still gives a surface of what was decoded (a WARN line says so). False, out
// unchanged, when no surface is made: the set is too large to hold, or the device refused it (sets of 8
// or 24 bits have the empty format, which no device makes).
bool ReadStoredImageSet(std::shared_ptr<DrawingSurface>& out, DisplayDevice* device, Stream& stream);

}  // namespace Qel
