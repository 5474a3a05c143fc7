// A new device surface whose pixels are written in place, so that an image is not first built in a
// buffer of its own and then copied.
#include "graphics/FilledSurface.h"

#include <zlib.h>

#include <memory>

#include "core/Color.h"
#include "core/PixelFormat.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"

namespace Qel {

DrawingSurface* CreateFilledSurface(DisplayDevice& device, int width, int height, const PixelFormat& format,
                                    int kind, const Color* colorKey,
                                    const std::function<bool(uint8_t* bits, int pitch)>& fill) {
  std::unique_ptr<DrawingSurface> surface(device.CreateSurface(width, height, format, kind));
  if (!surface) return nullptr;
  int pitch = 0;
  uint8_t* bits = surface->Lock(pitch, DrawingSurface::kLockWrite);
  if (!bits) return nullptr;
  const bool filled = fill(bits, pitch);
  surface->Unlock();
  if (!filled) return nullptr;
  if (colorKey && *colorKey != Color::TransparentBlack(kPixelFormatA8R8G8B8)) surface->SetColorKey(*colorKey);
  return surface.release();
}

bool InflateExactly(const uint8_t* bytes, uint32_t length, uint8_t* out, uint64_t size) {
  if (size > UINT32_MAX) return false;
  uLongf inflated = static_cast<uLongf>(size);
  return uncompress(out, &inflated, bytes, length) == Z_OK && inflated == size;
}

}  // namespace Qel
