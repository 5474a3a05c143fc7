// Icons of the program's resources as the images FLTK gives the window manager.
#include "platform/mfc/Icon.h"

#include <FL/Fl_RGB_Image.H>

#include <map>
#include <memory>
#include <vector>

#include "platform/mfc/Resources.h"

namespace plat::mfc::detail {
namespace {

// FLTK does not copy an image's pixels, so they stay beside it.
struct Converted {
  std::vector<unsigned char> rgba;
  std::unique_ptr<Fl_RGB_Image> image;
};

}  // namespace

const Fl_RGB_Image* ImageOfIcon(HICON icon) {
  if (!icon || !icon->pixels || icon->width <= 0 || icon->height <= 0) return nullptr;
  static std::map<HICON, Converted> converted;
  Converted& entry = converted[icon];
  if (!entry.image) {
    const size_t count = static_cast<size_t>(icon->width) * static_cast<size_t>(icon->height);
    entry.rgba.resize(count * 4);
    for (size_t i = 0; i < count; ++i) {
      const uint32_t argb = icon->pixels[i];
      entry.rgba[4 * i + 0] = static_cast<unsigned char>(argb >> 16);
      entry.rgba[4 * i + 1] = static_cast<unsigned char>(argb >> 8);
      entry.rgba[4 * i + 2] = static_cast<unsigned char>(argb);
      entry.rgba[4 * i + 3] = static_cast<unsigned char>(argb >> 24);
    }
    entry.image = std::make_unique<Fl_RGB_Image>(entry.rgba.data(), icon->width, icon->height, 4);
  }
  return entry.image.get();
}

}  // namespace plat::mfc::detail
