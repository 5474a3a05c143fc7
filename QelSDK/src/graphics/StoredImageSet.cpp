// The surface of one stored-image set, the image encoding of sprite files below version 7.
#include "graphics/StoredImageSet.h"

#include <new>
#include <vector>

#include "core/Color.h"
#include "core/Trace.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SquishImageSet.h"
#include "graphics/SquishStream.h"

namespace Qel {
namespace {

// Far beyond any frame of the game (the whole 800 x 600 screen at 32 bits is under 2 MiB), and far below
// what a set's header can claim for nothing: 65535 x 65535 pixels, whose buffer is allocated and
// copied whole.
constexpr uint64_t kMaxSetBytes = 16u << 20;

}  // namespace

bool ReadStoredImageSet(std::shared_ptr<DrawingSurface>& out, DisplayDevice* device, Stream& stream) {
  SquishStream file(&stream);
  SquishImageSet set;
  if (!set.Read(file)) Trace("WARN: stored image set read in part: %zu images.\n", set.GetImageCount());
  const SquishImageLayout layout = set.GetLayout();
  const uint64_t size = set.GetBufferSize();
  if (size > kMaxSetBytes) {
    Trace("WARN: stored image set of %d x %d refused: too large.\n", layout.width, layout.height);
    return false;
  }
  if (!device) return false;
  std::vector<uint8_t> buffer;
  try {
    // Cleared, so that pixels no image covers are transparent in both set formats.
    buffer.assign(size ? size : 1, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (layout.bitsPerPixel > 0 && !set.Decode(buffer.data(), layout)) {
    Trace("WARN: stored image set decoded in part.\n");
  }
  const PixelFormat format = set.GetPixelFormat();
  const Color& key = Color::TransparentMagenta(kPixelFormatA8R8G8B8);
  DrawingSurface* surface = device->CreateSurfaceFromPixels(
      buffer.data(), layout.width, layout.height, layout.pitch, format, DisplayDevice::kSurfaceDefault, &key);
  if (!surface) return false;
  out.reset(surface);
  return true;
}

}  // namespace Qel
