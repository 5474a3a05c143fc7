// The reader of version-7 frame image records: a pixel format, a size and zlib-compressed (or raw) rows.
#pragma once

#include <cstdint>
#include <memory>

namespace Qel {

class DisplayDevice;
class DrawingSurface;
class Stream;

// Reads one record and sets out to its surface: one device surface, or a tiled surface when the image
// exceeds the largest device surface. With keepCompressed a compressed record becomes a
// CompressedSurface that inflates at its first draw; raw rows (flag other than 1) always follow the flag
// directly, height rows of pitch bytes, whichever way they are read.
//
// False, with out left as it was, when the record cannot be read, is refused (depth other than 8, 16,
// 24 or 32 bits, an empty size, a pitch below width x bytes per pixel, sizes beyond the stream or 32
// bits), fails to inflate to exactly height x pitch bytes, or the device makes no surface. Whenever the
// record's own length is known the stream is left at its end, so the next record can still be read.
bool ReadFrameImage(int32_t version, std::shared_ptr<DrawingSurface>& out, DisplayDevice* device,
                    Stream& stream, bool keepCompressed);

}  // namespace Qel
