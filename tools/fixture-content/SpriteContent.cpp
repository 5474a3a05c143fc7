// The content set's sprites.
#include "fixture-content/SpriteContent.h"

#include <algorithm>

namespace fixture {

namespace {

uint32_t Hash(const std::string& text, int animation) {
  uint32_t hash = 2166136261u;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  for (int i = 0; i < 4; ++i)
    hash = (hash ^ ((static_cast<uint32_t>(animation) >> (8 * i)) & 0xFF)) * 16777619u;
  // A final mix, so that neighbouring animation numbers differ in every channel.
  hash ^= hash >> 15;
  hash *= 0x2C1B3C6Du;
  hash ^= hash >> 12;
  return hash;
}

// The frame of each click area, cut at the picture's edges.
void DrawOutlines(const SpriteSpec& spec, uint32_t colour, SpriteFileImage& image) {
  const uint32_t argb = 0xFF000000u | OutlineColour(colour);
  for (const OutlineSpec& area : spec.m_outlines) {
    const int32_t left = std::max(area.m_x, 0);
    const int32_t top = std::max(area.m_y, 0);
    const int32_t right = std::min(area.m_x + area.m_width, spec.m_width);
    const int32_t bottom = std::min(area.m_y + area.m_height, spec.m_height);
    for (int32_t y = top; y < bottom; ++y) {
      const bool band = y < area.m_y + kOutlineWidth || y >= area.m_y + area.m_height - kOutlineWidth;
      for (int32_t x = left; x < right; ++x) {
        if (band || x < area.m_x + kOutlineWidth || x >= area.m_x + area.m_width - kOutlineWidth)
          image
              .m_pixels[static_cast<size_t>(y) * static_cast<size_t>(spec.m_width) + static_cast<size_t>(x)] =
              argb;
      }
    }
  }
}

SpriteFileImage FrameImage(const SpriteSpec& spec, const AnimationSpec& animation, uint32_t colour,
                           int frame) {
  const int32_t x0 = spec.m_originX + animation.m_offsetX;
  const int32_t y0 = spec.m_originY + animation.m_offsetY;
  if (spec.m_transparent) return SpriteFileImage::Solid(spec.m_width, spec.m_height, 0, x0, y0);
  SpriteFileImage image = SpriteFileImage::Solid(spec.m_width, spec.m_height, 0xFF000000u | colour, x0, y0);
  // The mark goes on top: the frame number stays readable where an area reaches the corner.
  DrawOutlines(spec, colour, image);
  const int32_t markWidth = std::min(spec.m_width, kMarkCells * kMarkCell + 2);
  const int32_t markHeight = std::min(spec.m_height, kMarkCell + 2);
  for (int32_t y = 0; y < markHeight; ++y) {
    for (int32_t x = 0; x < markWidth; ++x) {
      uint32_t rgb = kMarkOff;
      const bool inside = x >= 1 && y >= 1 && y <= kMarkCell && x <= kMarkCells * kMarkCell;
      if (inside && ((frame >> ((x - 1) / kMarkCell)) & 1)) rgb = kMarkOn;
      image.m_pixels[static_cast<size_t>(y) * static_cast<size_t>(spec.m_width) + static_cast<size_t>(x)] =
          0xFF000000u | rgb;
    }
  }
  return image;
}

}  // namespace

uint32_t AnimationColour(const std::string& sprite, int animation) {
  const uint32_t hash = Hash(sprite, animation);
  uint32_t red = (hash & 0x1F) << 3;
  const uint32_t green = ((hash >> 5) & 0x3F) << 2;
  const uint32_t blue = ((hash >> 11) & 0x1F) << 3;
  // Away from the marks' black and white.
  if (red + green + blue < 0x60) red = 0x80;
  if (red + green + blue > 0x2A0) red = 0x40;
  return (red << 16) | (green << 8) | blue;
}

uint32_t OutlineColour(uint32_t pictureColour) {
  uint32_t outline = (pictureColour ^ 0x808080u) & 0xFFFFFFu;
  const uint32_t red = outline >> 16, green = (outline >> 8) & 0xFF, blue = outline & 0xFF;
  // A picture near mid-grey would give an outline near black or white: its red moves instead.
  if (red + green + blue < 0x60 || red + green + blue > 0x2A0) outline ^= 0x400000u;
  return outline;
}

SpriteFile MakeSprite(const SpriteSpec& spec) {
  SpriteFile file;
  file.m_version = 7;
  file.m_defaultDuration = 100;
  for (size_t a = 0; a < spec.m_animations.size(); ++a) {
    const AnimationSpec& animationSpec = spec.m_animations[a];
    const uint32_t colour = AnimationColour(spec.m_name, static_cast<int>(a));
    SpriteFileAnimation animation;
    animation.m_playMode = static_cast<int16_t>(animationSpec.m_end);
    animation.m_nextAnimation = animationSpec.m_next;
    for (int16_t f = 0; f < animationSpec.m_frames; ++f) {
      file.m_images.push_back(FrameImage(spec, animationSpec, colour, f));
      SpriteFileFrame frame;
      frame.m_image = static_cast<int16_t>(file.m_images.size());
      animation.m_frames.push_back(frame);
    }
    file.m_animations.push_back(std::move(animation));
  }
  return file;
}

ManifestSprite ManifestOf(const SpriteSpec& spec) {
  ManifestSprite sprite;
  sprite.m_width = spec.m_width;
  sprite.m_height = spec.m_height;
  sprite.m_originX = spec.m_originX;
  sprite.m_originY = spec.m_originY;
  sprite.m_transparent = spec.m_transparent;
  if (!spec.m_transparent) sprite.m_outlines = spec.m_outlines;
  for (size_t a = 0; a < spec.m_animations.size(); ++a) {
    const AnimationSpec& animation = spec.m_animations[a];
    const uint32_t colour = AnimationColour(spec.m_name, static_cast<int>(a));
    ManifestAnimation entry{animation.m_frames, animation.m_end, animation.m_next, colour};
    entry.m_outlineColour = OutlineColour(colour);
    sprite.m_animations.push_back(entry);
  }
  return sprite;
}

}  // namespace fixture
