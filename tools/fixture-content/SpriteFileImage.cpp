// Pictures of sprite files to write.
#include "fixture-content/SpriteFileImage.h"

namespace fixture {

SpriteFileImage SpriteFileImage::Solid(int32_t width, int32_t height, uint32_t argb, int32_t x, int32_t y) {
  SpriteFileImage image;
  image.m_x = x;
  image.m_y = y;
  image.m_width = width;
  image.m_height = height;
  image.m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), argb);
  return image;
}

}  // namespace fixture
